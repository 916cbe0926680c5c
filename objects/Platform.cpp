#include "objects/Platform.h"

Platform::Platform() = default;

Platform::~Platform() = default;
