#include "core/app/atomic_file.h"
#include "qt/cli/command_line.h"

int main(int argc, char* argv[]) {
    velmarin::TreatFileSizeLimitAsWriteError();
    return velmarin::RunVelmarin(argc, argv);
}
