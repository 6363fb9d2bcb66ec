#pragma once

#include "stream/removable_volumes.h"

#include <string>

namespace korvex {

// The folder of a camera's recordings on the removable volumes: on each volume, the first folder
// matching DCIM/*MEDIA (in the order the volume lists them) that holds a ".ts" file. When
// several volumes have one, the last volume in their order wins. The folder ends in '/'; empty
// when no volume has one.
std::string FindCardFolder(const RemovableVolumes& volumes);

// The same search on the volume mounted at `root` alone.
std::string FindCardFolderOn(const std::string& root);

} // namespace korvex
