#include "table_warm_up.h"

#include "grid_tables.h"

#include <new>
#include <system_error>

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

std::jthread startTableWarmUp() {
    try {
        return std::jthread([](const std::stop_token& stop) {
            try {
                warmUp(GridTables::shared(), stop);
            } catch (const std::bad_alloc&) {
                // The geometry did not fit; the first pass tries again.
            }
        });
    } catch (const std::system_error&) {
        return {};
    }
}
