#!/usr/bin/env python3
"""Plants realistic faults in the game's code one at a time and tells which ones the tests catch.

Each fault is one exact text replacement in one file. For each: the file is changed, only the test
programs that fault needs are rebuilt, they run, and the file gets its own bytes back (also when
the run is interrupted), so the tree is left as it was. The table at the end says caught / NOT
caught for each, with the first test that failed. Not part of `make test`: it takes minutes.

Usage: tools/mutate.py [--build BUILD] [--only SUBSTRING ...] [--list]
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


@dataclass
class Fault:
    path: str                 # the file, from the top of the tree
    what: str                 # what a player or peer would meet
    old: str                  # the exact text replaced; it must occur once
    new: str
    programs: list = field(default_factory=list)  # test programs (test_<layer>) to build and run
    ctest: str = ""           # or: a ctest name pattern, run without building anything


GAME = ["test_game"]
NET = ["test_net"]

FAULTS = [
    # The nine the audit's run let through.
    Fault("src/game/GameState.cpp", "a double offered in a game without the cube",
          "return options.cubeEnabled && cube_.mayBeDoubledBy(side);", "return cube_.mayBeDoubledBy(side);", GAME + NET),
    Fault("src/rules/PositionId.cpp", "a finished game's position ID refused",
          "pos.offWhite == kCheckersPerSide && pos.offBlack", "pos.offWhite == kCheckersPerSide || pos.offBlack",
          ["test_rules"]),
    Fault("src/persistence/KeptGameFile.cpp", "EXIT says the game is kept when the write failed",
          "return writeFileAtomically(path_, bytes, &whyNot);", "writeFileAtomically(path_, bytes, &whyNot);\n    return true;",
          ["test_persistence"] + GAME),
    Fault("src/net/RemoteProgram.cpp", "a hostile peer's commands queue without end",
          "if (commands_.size() < kMaxQueuedCommands) commands_.push_back(message);", "commands_.push_back(message);", NET),
    Fault("src/net/RemoteProgram.cpp", "manual dice kept in a network game",
          "o.automaticDice = true;", "", NET),
    Fault("src/net/RemoteProgram.cpp", "the peer's commands run while a box is up",
          "if (executing_ || game_.busy()) return;", "if (executing_) return;", NET),
    Fault("src/net/RemoteCommands.cpp", "a peer's move taken before its dice",
          "!peersTurn() || !peerRolled_ || !receivedMoveIsLegal(", "!peersTurn() || !receivedMoveIsLegal(", NET),
    Fault("src/net/RemoteCommands.cpp", "a peer's double taken while White holds the cube",
          "!peersTurn() || peerRolled_ || !game_.mayDouble(Side::Black)", "!peersTurn() || peerRolled_", NET),
    Fault("src/net/RemoteCommands.cpp", "a stray resignation with no game on shown",
          "    if (!game_.state().gameOn()) {\n        sendResponse(kDone);  // nothing left to resign here\n        return;\n    }\n",
          "", NET),
    # And others of the same kinds: boundaries, guards, a flag, the exact moment.
    Fault("src/net/RemoteCommands.cpp", "a resignation booked though the connection went while its notice was up",
          "    sendResponse(kDone);\n    if (!game_.state().gameOn()) return;\n    game_.sideResigns", "    sendResponse(kDone);\n    game_.sideResigns",
          NET),
    Fault("src/game/CubeOffers.cpp", "no take/pass hint while White answers Black's double",
          "whiteAnswersDouble_ = true;", "whiteAnswersDouble_ = false;", GAME + NET),
    Fault("src/game/Players.cpp", "a second person's double taken without the turn passing",
          "if (game.blackDoubles(\"Black player wants to double.\")) game.passTurn();",
          "game.blackDoubles(\"Black player wants to double.\");", GAME),
    Fault("src/game/CubeOffers.cpp", "a second person doubles before White has played its roll",
          "if (state_.turnEnd() != TurnEnd::Complete) return;", "if (state_.turnEnd() == TurnEnd::ShortPlay) return;",
          GAME),
    Fault("src/net/ReceiveBuffer.cpp", "half a message forgotten one tick early",
          "if (++pendingTicks_ > kMaxPendingTicks) clear();", "if (++pendingTicks_ >= kMaxPendingTicks) clear();", NET),
    Fault("src/net/ReceivedMove.cpp", "a peer's step with a die it did not roll",
          "if (slot == 0) return false;  // not a die of the roll, or used up", "if (slot == 0) slot = 1;", NET),
    Fault("src/net/RemoteCommands.cpp", "the peer's dice 6-6 refused",
          "a < 1 || a > 6 || b < 1 || b > 6", "a < 1 || a > 5 || b < 1 || b > 6", NET),
    Fault("src/net/RemoteProgram.cpp", "a chat line sent in the middle of a response wait",
          "if (!transport_ || waitDepth_ > 0) return false;", "if (!transport_) return false;", NET),
    Fault("src/persistence/KeptGameFile.cpp", "a kept game with a Crawford byte of 3 read",
          "bytes[4] != kFormat || bytes[5] > 1", "bytes[4] != kFormat || bytes[5] > 3", ["test_persistence"]),
    Fault("src/game/GameState.cpp", "board 255 followed by board 0",
          "gameNumber_ == 255 ? 1 :", "gameNumber_ == 255 ? 0 :", GAME),
    Fault("cmake/CheckLayers.cmake", "an include of \"../game/X.h\" passes the layer check",
          "foreach(base \"${folder}\" \"${root}\")", "foreach(base \"${root}\")", ctest="LayerCheck"),
]


ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def run(cmd, cwd, timeout):
    try:
        p = subprocess.run(cmd, cwd=cwd, env=ENV, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                           timeout=timeout)
        return p.returncode, p.stdout
    except subprocess.TimeoutExpired:
        return -1, "timed out"


def interrupted(signum, frame):
    raise KeyboardInterrupt  # the file being changed gets its bytes back on the way out


def failures(output):
    """The tests that failed, in the order they ran (at most three named)."""
    names = re.findall(r"^\[  FAILED  \] (\S+?)(?:,|\s|$)", output, re.M)
    names += re.findall(r"^\s*\d+ - (\S+) \(Failed\)", output, re.M)
    names = [n for n in dict.fromkeys(names) if "." in n or not n[0].isdigit()]
    shown = ", ".join(names[:3])
    return shown + (f" and {len(names) - 3} more" if len(names) > 3 else "")


def try_fault(fault, build):
    """Returns (result, detail): caught / NOT caught / no build / not applied."""
    path = os.path.join(ROOT, fault.path)
    with open(path, "rb") as f:
        original = f.read()
    text = original.decode()
    if text.count(fault.old) != 1:
        return "not applied", f"the text occurs {text.count(fault.old)} times"
    try:
        with open(path, "wb") as f:
            f.write(text.replace(fault.old, fault.new).encode())
        if fault.ctest:
            code, out = run(["ctest", "-R", fault.ctest, "--output-on-failure"], build, 600)
            return ("caught", failures(out) or fault.ctest) if code != 0 else ("NOT caught", "")
        code, out = run(["cmake", "--build", build, "-j2", "--target"] + fault.programs, ROOT, 1800)
        if code != 0:
            return "no build", ""
        for program in fault.programs:
            code, out = run([os.path.join(build, program), "--gtest_brief=1"], build, 900)
            if code != 0:
                return "caught", failures(out) or f"{program} exit {code}"
        return "NOT caught", ""
    finally:
        with open(path, "wb") as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--only", nargs="*", default=[], help="faults whose file or description holds one of these")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    faults = [f for f in FAULTS if not args.only or any(s in f.path or s in f.what for s in args.only)]
    if args.list:
        for i, f in enumerate(faults, 1):
            print(f"{i:2}  {f.path}: {f.what}")
        return 0
    if not os.path.isfile(os.path.join(args.build, "CMakeCache.txt")):
        print(f"{args.build} is no configured build folder: cmake -S . -B build first", file=sys.stderr)
        return 2
    signal.signal(signal.SIGTERM, interrupted)
    rows = []
    for i, fault in enumerate(faults, 1):
        start = time.time()
        print(f"[{i}/{len(faults)}] {fault.path}: {fault.what} ...", flush=True)
        result, detail = try_fault(fault, args.build)
        rows.append((i, fault, result, detail, time.time() - start))
        print(f"    {result} {detail} ({time.time() - start:.0f} s)", flush=True)
    # The programs built once more from the untouched files, so the build matches the tree again.
    programs = sorted({p for f in faults for p in f.programs})
    if programs:
        run(["cmake", "--build", args.build, "-j2", "--target"] + programs, ROOT, 1800)

    print()
    print("| # | File | Planted fault | Result | Tests that failed |")
    print("|---|---|---|---|---|")
    for i, fault, result, detail, _ in rows:
        print(f"| {i} | `{fault.path}` | {fault.what} | {result} | {detail} |")
    caught = sum(1 for r in rows if r[2] == "caught")
    counted = sum(1 for r in rows if r[2] in ("caught", "NOT caught"))
    print(f"\n{caught} of {counted} planted faults caught" + (f" ({100 * caught // counted} %)" if counted else ""))
    return 0 if caught == counted else 1


if __name__ == "__main__":
    sys.exit(main())
