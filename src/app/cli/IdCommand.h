#pragma once
// `lumaro-cli id GAME.sav [--match LEN --score WHITE BLACK] [--crawford] [--jacoby]`: the saved game's
// position ID and match ID, as GNU Backgammon prints them for the same game. A saved game keeps the
// checkers, the dice, the turn and the cube; the score and the match's rules come from the options
// (a money game at 0-0 without them).
namespace lumaro {

int idCommand(int argc, char** argv);

}  // namespace lumaro
