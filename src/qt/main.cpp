#include "qt/cli/command_line.h"

int main(int argc, char* argv[]) {
    return velmarin::RunVelmarin(argc, argv);
}
