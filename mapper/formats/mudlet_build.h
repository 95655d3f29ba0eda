#pragma once
// A parsed Mudlet map made into the contents of a document: rooms with their
// ids, titles, colours and places (y negated, planes as CMudletPlanes lays
// them out), links (mudlet_links.h), labels (mudlet_labels.h), the player's
// room as the current room, and what VorMapper keeps in user data.
#include "mapper/formats/format_report.h"
#include "mapper/formats/mudlet_map.h"
#include "mapper/model/document.h"

void BuildMudletContents(const CMudletMap& map, CMapContents& contents, CFormatReport& report);
