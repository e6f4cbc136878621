// orvane-q730: the windowed configuration program.
#include "app/Startup.h"

int main(int argc, char** argv) {
    return orvane::app::RunProgram(argc, argv);
}
