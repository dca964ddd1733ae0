#include "run_program.h"
#include "table_warm_up_threads.h"

int main() {
    return runProgram({.startWarmUp = startTableWarmUp});
}
