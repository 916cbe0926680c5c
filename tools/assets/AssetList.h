#pragma once
#include "Canvas.h"

#include <functional>
#include <string>
#include <vector>

// One generated file: its path below the output folder and the code that makes it.
struct PictureJob {
    std::string file;
    std::function<Canvas()> paint;
};

struct SoundJob {
    std::string file;
    std::function<std::vector<double>()> synthesise;
};

// Each art module appends the files it owns.
void addCharacterPictures(std::vector<PictureJob>& jobs);
void addScreenPictures(std::vector<PictureJob>& jobs);
void addBackgroundPictures(std::vector<PictureJob>& jobs);
void addTerrainPictures(std::vector<PictureJob>& jobs);
void addObjectPictures(std::vector<PictureJob>& jobs);
void addDecorationPictures(std::vector<PictureJob>& jobs);
void addIconPictures(std::vector<PictureJob>& jobs);
void addFrostPictures(std::vector<PictureJob>& jobs);
void addSounds(std::vector<SoundJob>& jobs);
// Music jobs write Ogg Vorbis (their files end in ".ogg").
void addMusic(std::vector<SoundJob>& jobs);
