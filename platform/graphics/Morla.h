// The drawing library contract: pictures, fonts, brushes and drawing surfaces, created by
// kind through the factory that IMorla_Creater returns.
#pragma once

#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// A device context: a drawing target of the window system (a window's paint target, or the
// desktop's). Only the platform layer knows what is behind it.
ZARNI_DECLARE_HANDLE(HDC);

// Object kinds of IXFactory::Create.
enum XObjectKind : int {
    XKIND_IMAGE = 1,
    XKIND_FONT = 2,
    XKIND_BRUSH = 3,
    XKIND_CANVAS = 5,
};

// Format words passed through DrawText and CalcText unchanged.
constexpr UINT XTEXT_DRAW_FORMAT = 585;
constexpr UINT XTEXT_CALC_FORMAT = 521;
// Encoding code of IXImage::Encode used by pictures and animations.
constexpr int XIMAGE_ENCODE_ORIGINAL = 6;

// Every object is given back by its own Release, the first operation of each interface.
class IXObject {
public:
    virtual void Release() = 0;

protected:
    ~IXObject() = default;
};

class IXImage : public IXObject {
public:
    // Decodes an encoded picture (the bytes of a PNG, JPEG, GIF or BMP file) from memory.
    virtual BOOL Load(const void* data, DWORD length, DWORD flags) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Encodes the picture into a new buffer that the caller gives back with FreeBuffer.
    // Code 6 yields exactly the bytes the picture was loaded from (a picture made otherwise
    // comes out as PNG), so saving never re-encodes and animated pictures keep their frames.
    virtual BOOL Encode(int code, BYTE** buffer, DWORD* length) = 0;
    virtual void FreeBuffer(BYTE* buffer) = 0;
    // An independent copy of the decoded picture, or null.
    virtual IXImage* Duplicate() = 0;
    // Several-frame pictures: the number of frames (1 for a still picture), the frame later
    // drawing uses, and each frame's delay in hundredths of a second.
    virtual int GetFrameCount() = 0;
    virtual BOOL SelectFrame(int index) = 0;
    virtual std::vector<int> GetFrameDelays() = 0;

protected:
    ~IXImage() = default;
};

class IXFont : public IXObject {
public:
    // Later text calls use this font; reserved is 0.
    virtual void SetLogFont(int reserved, const LOGFONTA* lf) = 0;

protected:
    ~IXFont() = default;
};

class IXBrush : public IXObject {
public:
    // Colour for fills and text.
    virtual void SetColor(COLORREF color) = 0;

protected:
    ~IXBrush() = default;
};

class IXCanvas : public IXObject {
public:
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Copies (srcX, srcY, cx, cy) of this surface to (x, y) of the device context.
    virtual BOOL CopyToDC(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) = 0;
    // The same onto another surface.
    virtual BOOL CopyTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY) = 0;
    // Scales (srcX, srcY, srcCx, srcCy) of this surface into (x, y, cx, cy) of dst.
    virtual BOOL StretchTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY,
                           int srcCx, int srcCy) = 0;
    virtual BOOL FillRect(IXBrush* brush, const RECT* rect) = 0;
    // Allocates a surface of cx by cy pixels, compatible with the context (which may be
    // null).
    virtual BOOL Create(HDC dc, int cx, int cy) = 0;
    // Draws part (srcX, srcY, cx, cy) of a picture whose whole lies at dest (the part goes
    // to dest.left + srcX, dest.top + srcY, clipped to dest), keeping its transparency.
    // key 255 (or 0) blends by the picture's own alpha; any other key is a COLORREF whose
    // pixels are left out as well.
    virtual BOOL DrawImageBlend(IXImage* image, const RECT* dest, int srcX, int srcY, int cx,
                                int cy, int key) = 0;
    // Draws the whole picture scaled into dest.
    virtual BOOL DrawImage(IXImage* image, const RECT* dest) = 0;
    // As DrawImageBlend, opaque: the picture's alpha is ignored.
    virtual BOOL DrawImagePart(IXImage* image, const RECT* dest, int srcX, int srcY, int cx,
                               int cy) = 0;
    // Draws one line of multibyte text in the rectangle with the font and the brush colour.
    virtual BOOL DrawText(const CString& text, IXFont* font, RECT* rect, UINT format,
                          IXBrush* color) = 0;
    // Stores the text's extent in result; draws nothing.
    virtual BOOL CalcText(const CString& text, IXFont* font, UINT format, const RECT* bounds,
                          RECT* result) = 0;
    // Fills the whole surface.
    virtual BOOL Clear(COLORREF color) = 0;
    // Limits later drawing on this surface to the rectangle; null lifts the limit.
    virtual BOOL SetClip(const RECT* rect) = 0;

protected:
    ~IXCanvas() = default;
};

class IXFactory {
public:
    // A new object of the kind, or null for an unknown kind.
    virtual IXObject* Create(int kind) = 0;

protected:
    ~IXFactory() = default;
};

// The factory in use: the Cairo/Pango/gdk-pixbuf one unless another was installed.
IXFactory* IMorla_Creater();
// Installs a factory (tests install a fixed-metric one); null restores the built-in one.
// The caller keeps ownership and uninstalls it before destroying it.
void SetMorlaFactory(IXFactory* factory);

// Writes a surface of the built-in library to a PNG file, for a person to look at; FALSE
// for other surfaces or when writing fails.
BOOL XWriteCanvasPng(IXCanvas* canvas, const char* path);

// Typed creation through the current factory; null when the factory makes none.
inline IXImage* XCreateImage() {
    return static_cast<IXImage*>(IMorla_Creater()->Create(XKIND_IMAGE));
}
inline IXFont* XCreateFont() {
    return static_cast<IXFont*>(IMorla_Creater()->Create(XKIND_FONT));
}
inline IXBrush* XCreateBrush() {
    return static_cast<IXBrush*>(IMorla_Creater()->Create(XKIND_BRUSH));
}
inline IXCanvas* XCreateCanvas() {
    return static_cast<IXCanvas*>(IMorla_Creater()->Create(XKIND_CANVAS));
}

// Owning pointer for drawing-library objects.
struct XReleaser {
    void operator()(IXObject* obj) const {
        if (obj)
            obj->Release();
    }
};
