// Umbrella header of the ZarniEditor control: everything a host uses.
#pragma once

#include "platform/base/CodePage.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include "objects/Md5.h"
#include "objects/ZarniUUID.h"
