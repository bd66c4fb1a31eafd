#pragma once
// The program's entry: parses the command line and runs the chosen mode.

namespace Brenvik {
int runBrenvik(int argc, char *argv[]);
}
