#include "engine/base_directory.h"

std::string baseDirectory;
