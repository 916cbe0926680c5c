// Paints every picture and synthesises every sound of the game into OUTDIR/sprites and
// OUTDIR/sounds. The output depends on nothing but this code: the same bytes on every run,
// except the Ogg music, whose bytes vary per encoding while its decoded samples do not.
// Usage: make_assets OUTDIR [NAME-PART]   (NAME-PART limits the run to matching files)
#include "AssetList.h"
#include "OggWriter.h"
#include "PngWriter.h"
#include "WavWriter.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool wanted(const std::string& file, const std::string& filter) {
    return filter.empty() || file.find(filter) != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_assets OUTDIR [NAME-PART]\n";
        return 2;
    }
    const fs::path out(argv[1]);
    const std::string filter = argc == 3 ? argv[2] : "";
    std::error_code ec;
    fs::create_directories(out / "sprites", ec);
    fs::create_directories(out / "sounds", ec);
    fs::create_directories(out / "icons", ec);  // the desktop icons, in every size
    if (ec) {
        std::cerr << "make_assets: cannot create folders under " << out.string() << ": " << ec.message() << "\n";
        return 1;
    }

    std::vector<PictureJob> pictures;
    addCharacterPictures(pictures);
    addScreenPictures(pictures);
    addBackgroundPictures(pictures);
    addTerrainPictures(pictures);
    addObjectPictures(pictures);
    addDecorationPictures(pictures);
    addIconPictures(pictures);
    addFrostPictures(pictures);
    std::vector<SoundJob> sounds;
    addSounds(sounds);
    addMusic(sounds);

    int failures = 0;
    int written = 0;
    for (const PictureJob& job : pictures) {
        if (!wanted(job.file, filter)) {
            continue;
        }
        if (writePng((out / job.file).string(), job.paint())) {
            ++written;
        } else {
            std::cerr << "make_assets: cannot write " << job.file << "\n";
            ++failures;
        }
    }
    for (const SoundJob& job : sounds) {
        if (!wanted(job.file, filter)) {
            continue;
        }
        const std::string path = (out / job.file).string();
        const bool ogg = job.file.size() > 4 && job.file.compare(job.file.size() - 4, 4, ".ogg") == 0;
        if (ogg ? writeOgg(path, job.synthesise()) : writeWav(path, job.synthesise())) {
            ++written;
        } else {
            std::cerr << "make_assets: cannot write " << job.file << "\n";
            ++failures;
        }
    }
    std::cout << "make_assets: wrote " << written << " files under " << out.string() << "\n";
    return failures == 0 ? 0 : 1;
}
