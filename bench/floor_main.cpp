// The program with a pass that plots one flat colour: what a press costs around the pass.

#include "flat_pass.h"
#include "run_program.h"
#include "table_warm_up_threads.h"

int main() {
    return runProgram({.startWarmUp = startTableWarmUp, .plot = plotFlat});
}
