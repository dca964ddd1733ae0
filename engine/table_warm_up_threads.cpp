#include "table_warm_up_threads.h"

#include "grid_tables.h"
#include "table_warm_up.h"

#include <new>
#include <system_error>
#include <utility>

void warmUp(GridTables& tables, const std::stop_token& stop) {
    for (int step = 0; !stop.stop_requested() && warmUpStep(tables, step); ++step) {
    }
}

namespace {

// A thread running work, or none where no thread can be started.
template <typename Work> std::jthread startThread(Work work) {
    try {
        return std::jthread(std::move(work));
    } catch (const std::system_error&) {
        return {};
    }
}

} // namespace

std::jthread startAngleWarmUp() {
    return startThread([] {
        try {
            GridTables::shared();
        } catch (const std::bad_alloc&) {
            // The angles did not fit; the first pass tries again.
        }
    });
}

std::jthread startTableWarmUp() {
    return startThread([](const std::stop_token& stop) {
        try {
            warmUp(GridTables::shared(), stop);
        } catch (const std::bad_alloc&) {
        }
    });
}
