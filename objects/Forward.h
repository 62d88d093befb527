// Forward declarations of the identity, object and creator types of objects/.
#pragma once

struct ZarniUUID;
class CMd5;

class IClone;
class ICompressStoreObj;
class ISerialize;
class ITextReplaceable;
class IVisible;
class ITimerSenseObj;
class IVisibleComplexObj;
class IExternalObj;
class IVCOCreator;
class IAnimate;
class IAnimatePainterListener;
class ILinkInfo;
class IObjectPaintHost;

struct SPrototypeEntry;
class CCreatorRegistry;
class CUidMaker;
