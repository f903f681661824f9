#pragma once

// The whole program from QApplication to the end of its event loop; main is only this call.
int runQuorvel(int argc, char *argv[]);
