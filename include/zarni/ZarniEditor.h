// Umbrella header of the ZarniEditor control: everything a host uses.
#pragma once

#include "platform/base/CodePage.h"
#include "platform/base/Geometry.h"
#include "platform/base/StockObjects.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/graphics/Morla.h"

#include "core/Messages.h"
#include "core/Range.h"
#include "core/ZarniArray.h"

#include "objects/Animate.h"
#include "objects/AnimatePainterListener.h"
#include "objects/ClassIds.h"
#include "objects/CreatorRegistry.h"
#include "objects/ExternalObj.h"
#include "objects/LinkInfo.h"
#include "objects/Md5.h"
#include "objects/ObjectPaintHost.h"
#include "objects/TimerSenseObj.h"
#include "objects/UidMaker.h"
#include "objects/VCOCreator.h"
#include "objects/ZarniUUID.h"

#include "persist/Pack.h"

#include "media/Animate.h"
#include "media/BuiltinCreator.h"
#include "media/Image.h"
#include "media/Timer.h"

#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "model/ParaListener.h"
#include "model/ParaOutputStream.h"
#include "model/Paragraph.h"
#include "model/WordString.h"
#include "model/ZarniParaInfo.h"

#include "links/LinkInfo.h"
#include "links/LinkManager.h"

#include "format/ColorInfo.h"
#include "format/FIOS_Mixture.h"
#include "format/FIOS_Sects.h"
#include "format/FontInfo.h"
#include "format/FormatCreator.h"
#include "format/FormatCreatorRegistry.h"
#include "format/FormatInfo.h"

#include "view/EditorView.h"
#include "view/MultilayerView.h"

#include "editor/EditorInterface.h"
