// What keeping the reading place costs the frame in which the page changed:
// the place file replaced whole (temporary file, flush to disk, rename) in a
// scratch folder under /tmp, which should sit on the same kind of disk as the
// user's state folder.
#include "app/PlaceFile.h"

#include "platform/UserFiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_ReplacePlaceFile(benchmark::State& state)
{
    char pattern[] = "/tmp/quibo_place_bench_XXXXXX";
    const std::string folder = mkdtemp(pattern);
    quibo::Place place;
    place.book = "/usr/share/quibo/resources/qovarn_3391_ver10";
    place.playMode = 3;
    const std::string path = folder + "/" + quibo::placeFileName(place.book);
    std::string error;
    for (auto _ : state) {
        ++place.page;
        if (!cc::makeUserFolders(folder, error) || !cc::replaceUserFile(path, quibo::placeText(place), error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    (void)std::system(("rm -rf '" + folder + "'").c_str());
}
BENCHMARK(BM_ReplacePlaceFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
