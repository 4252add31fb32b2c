// The thumbnail cache on a user database of 100 000 thumbnails: LoadCachedThumbnail (hits and
// misses) and StoreThumbnail (updating a row, adding one) per call, through the SQLite ODBC
// driver as the program runs them.
//
//   thumbcache_bench [calls]
#include "album/ThumbnailCache.h"
#include "framework/DataSource.h"
#include "image/ImageObject.h"
#include "framework/VXApp.h"

#include "BenchPicture.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int kRows = 100000;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string PhotoPath(int n)
{
    char path[64];
    std::snprintf(path, sizeof path, "C:\\Photos\\%03d\\IMG_%06d.jpg", n / 1000, n);
    return path;
}

// The shipped schema and 100 000 rows, each with a 4 KB JPEG-sized BLOB.
bool BuildDatabase(const std::string& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
        return false;
    bool ok = sqlite3_exec(db, ReadFile(std::string(MIVO_SOURCE_DIR) + "/data/MivoUser.sql").c_str(), nullptr,
                           nullptr, nullptr) == SQLITE_OK;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into ThumbImages values (?, ?, '2004-05-01 10:20', ?)", -1, &insert, nullptr);
    std::vector<unsigned char> blob(4096);
    std::mt19937 rng(7);
    for (unsigned char& b : blob)
        b = (unsigned char)rng();
    for (int n = 1; ok && n <= kRows; ++n) {
        std::string path = PhotoPath(n);
        sqlite3_bind_int(insert, 1, n);
        sqlite3_bind_text(insert, 2, path.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_blob(insert, 3, blob.data(), (int)blob.size(), SQLITE_STATIC);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ok;
}

double MicrosecondsPerCall(int calls, const std::function<void(int)>& call)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        call(i);
    std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / calls;
}

}  // namespace

int main(int argc, char** argv)
{
    int calls = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (calls <= 0)
        calls = 2000;
    char folder[] = "/tmp/mivo-thumbbench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    std::string posix = folder;
    std::string windows = "C:" + posix + "\\";
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    ::mkdir((posix + "/Temp").c_str(), 0700);
    setenv("ODBCINI", (posix + "/odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", (posix + "/registry").c_str(), 1);
    if (!BuildDatabase(posix + "/MivoUser.dat") ||
        !RegisterLocalDataSource("MivoUser", (windows + "MivoUser.dat").c_str())) {
        std::fprintf(stderr, "cannot build the database in %s\n", folder);
        return 1;
    }
    // The program's application when linked with one, else an application of our own.
    std::unique_ptr<CVXApp> ownApp;
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (app == nullptr) {
        ownApp.reset(new CVXApp);
        app = ownApp.get();
    }
    app->m_strDataDir = windows.c_str();

    std::vector<BYTE> pixels = bench::MakePicture(1600, 1200);
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(0, 0, 0), 1600, 1200));
    std::copy(pixels.begin(), pixels.end(), picture->GetImageBuf());
    std::unique_ptr<CImageObject> thumb(maker.MakeBlankImageObject(RGB(0, 0, 0), 140, 105));

    std::mt19937 rng(11);
    CThumbnailCache cache;
    std::printf("thumbnail cache on %d rows, %d calls each (microseconds per call)\n", kRows, calls);
    int hits = 0;
    double hit = MicrosecondsPerCall(calls, [&](int) {
        CThumbnailCacheHold hold = cache.LoadCachedThumbnail(PhotoPath(1 + (int)(rng() % kRows)).c_str(),
                                                             "2004-05-01 10:20");
        hits += hold ? 1 : 0;
    });
    std::printf("  LoadCachedThumbnail, hit           %10.1f  (%d of %d hits)\n", hit, hits, calls);
    double miss = MicrosecondsPerCall(calls, [&](int i) {
        cache.LoadCachedThumbnail(("C:\\Elsewhere\\" + std::to_string(i) + ".jpg").c_str(), "2004-05-01 10:20");
    });
    std::printf("  LoadCachedThumbnail, miss          %10.1f\n", miss);
    int storeCalls = calls / 4 > 0 ? calls / 4 : 1;
    double update = MicrosecondsPerCall(storeCalls, [&](int) {
        cache.StoreThumbnail(PhotoPath(1 + (int)(rng() % kRows)).c_str(), thumb.get());
    });
    std::printf("  StoreThumbnail, 140 x 105, update  %10.1f\n", update);
    double insert = MicrosecondsPerCall(storeCalls, [&](int i) {
        cache.StoreThumbnail(("C:\\New\\" + std::to_string(i) + ".jpg").c_str(), thumb.get());
    });
    std::printf("  StoreThumbnail, 140 x 105, insert  %10.1f\n", insert);
    double large = MicrosecondsPerCall(storeCalls / 5 > 0 ? storeCalls / 5 : 1, [&](int i) {
        cache.StoreThumbnail(("C:\\Large\\" + std::to_string(i) + ".jpg").c_str(), picture.get());
    });
    std::printf("  StoreThumbnail, 1600 x 1200        %10.1f  (fitting and encoding included)\n", large);
    std::error_code ignored;
    std::filesystem::remove_all(posix, ignored);
    return 0;
}
