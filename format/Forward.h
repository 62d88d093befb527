// Forward declarations of the character-formatting types.
#pragma once

template <class T>
struct CriticalPoint;
template <class T>
class TColorStick;
class CSAttrSectInfo;
class CSAttrStick;

class CFontInfo;
class CColorInfo;
class CFormatInfo;
class IFormatOutputStream;
class IMixtureOutputStream;
struct CMixtureInfo;
class FIOS_Sects;
class FIOS_Mixture;
class CFormatCreator;
class CFormatCreatorRegistry;
