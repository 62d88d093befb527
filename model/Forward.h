// Forward declarations of the document model's types.
#pragma once

struct CRange;
template <class T>
class CZarniArray;
class CWordString;

class IDoc;
class CDoc;
class IDocListener;
class CDocListeners;
class IDocOutputStream;
class CDelimiters;
class CCOPosTable;
struct COPosEntry;
class CCompressStore;

class IParaListener;
class CParaListeners;
class IParaOutputStream;
class CParagraph;
namespace zarni {
class CZarniParaInfo;
}
