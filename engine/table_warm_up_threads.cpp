#include "table_warm_up_threads.h"

#include "grid_tables.h"

#include <new>
#include <system_error>
#include <utility>

void warmUp(GridTables& tables, const std::stop_token& stop) {
    try {
        // Red and blue take the cosine of the angular argument, green the sine, so the
        // cosine tables are needed twice as often and come first.
        for (const Wave kind : {Wave::Cosine, Wave::Sine}) {
            for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
                if (stop.stop_requested()) {
                    return;
                }
                tables.angularTerms(kind, n);
            }
        }
    } catch (const std::bad_alloc&) {
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
