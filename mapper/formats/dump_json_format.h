#pragma once
// The map as JSON for people and scripts (`vmm dump`): every field of every
// record, in container order, text as UTF-8 with non-ASCII escaped. Write
// only, and not offered in the file dialogs.
#include "mapper/formats/map_format.h"

const IMapFormat& DumpJsonMapFormat();
