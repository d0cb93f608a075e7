#pragma once
// `lumaro-cli cube`: the cube decision of the side on roll in a saved game, before it rolls, in a
// money game or at a match score.
namespace lumaro {

int cubeCommand(int argc, char** argv);

}  // namespace lumaro
