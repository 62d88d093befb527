// Pictures and animations: ids, decoding failures, drawing, streaming and frame timing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/Animate.h"
#include "media/BuiltinCreator.h"
#include "media/Image.h"
#include "objects/AnimatePainterListener.h"
#include "objects/ClassIds.h"
#include "objects/Md5.h"
#include "persist/Pack.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "support/DataFiles.h"

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);
const CRect kNoClip(-1, -1, -1, -1);

std::unique_ptr<CCairoCanvas, XReleaser> Paper(int width, int height) {
    std::unique_ptr<CCairoCanvas, XReleaser> canvas(dynamic_cast<CCairoCanvas*>(XCreateCanvas()));
    canvas->Create(nullptr, width, height);
    canvas->Clear(kPaper);
    return canvas;
}

// The pixels of a rectangle of a canvas, row by row.
std::vector<COLORREF> Pixels(CCairoCanvas& canvas, const CRect& r) {
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back(canvas.GetPixel(x, y));
    return out;
}

std::string Hex(uint32_t value) {
    char buf[16];
    snprintf(buf, sizeof buf, "%X", value);
    return buf;
}

ZarniUUID Digest(const std::string& bytes) {
    return UuidFromBytes(bytes.data(), bytes.size());
}

CZarniArray<unsigned int> Delays(std::initializer_list<unsigned int> list) {
    CZarniArray<unsigned int> out;
    for (unsigned int d : list)
        out.Add(d);
    return out;
}

struct CountingPainter : IAnimatePainterListener {
    void OnFrameChanged(IAnimate*) override { ++calls; }
    int calls = 0;
};

}  // namespace

TEST(Image, IdsFollowBytesTextAndModeAndFailuresKeepWhatTheyMust) {
    const std::string jpeg = ReadTestData("photo.jpg");
    zarni::CImage a, b, opaque(0);
    ASSERT_EQ(a.SetImage(jpeg, "replaceText"), 1);
    ASSERT_EQ(b.SetImage(jpeg, "replaceText"), 1);
    ASSERT_EQ(opaque.SetImage(jpeg, "replaceText"), 1);
    EXPECT_EQ(a.GetSize(), CSize(8, 6));
    EXPECT_EQ(a.GetID(), b.GetID());
    EXPECT_EQ(a.GetID(), Digest("replaceText" + Hex(Digest(jpeg).words[0]) + "FF"));
    EXPECT_EQ(opaque.GetID(), Digest("replaceText" + Hex(Digest(jpeg).words[0]) + "0"));
    EXPECT_EQ(a.GetSubCSO()->GetID(), Digest(jpeg));

    const ZarniUUID before = a.GetID();
    EXPECT_EQ(a.SetImage("", "other"), 0);  // nothing changes
    EXPECT_EQ(a.GetSize(), CSize(8, 6));
    EXPECT_EQ(a.SetImage(jpeg.substr(0, 40), "other"), 0);  // data lost, text and id kept
    EXPECT_EQ(a.GetSize(), CSize(0, 0));
    EXPECT_EQ(a.GetSubCSO(), nullptr);
    EXPECT_EQ(a.GetID(), before);
    EXPECT_STREQ(a.GetReplaceText().GetString(), "replaceText");
    auto paper = Paper(4, 4);
    EXPECT_EQ(a.Draw(paper.get(), CRect(0, 0, 4, 4), kNoClip), 0);
}

TEST(Image, DrawsTheVisiblePartAtItsPlaceAndStreamsItsBytes) {
    const std::string png = ReadTestData("tile.png");  // 12 x 10
    zarni::CImage image(0);
    ASSERT_EQ(image.SetImage(png, "tile"), 1);
    auto reference = Paper(12, 10);
    ASSERT_EQ(image.Draw(reference.get(), CRect(0, 0, 12, 10), kNoClip), 1);

    auto paper = Paper(20, 20);
    const CRect place(5, 6, 17, 16);
    EXPECT_EQ(image.Draw(paper.get(), place, CRect(8, 0, 20, 11)), 1);
    EXPECT_EQ(Pixels(*paper, CRect(8, 6, 17, 11)), Pixels(*reference, CRect(3, 0, 12, 5)));
    EXPECT_EQ(paper->GetPixel(7, 8), kPaper);                         // left of the clip
    EXPECT_EQ(paper->GetPixel(10, 12), kPaper);                       // below it
    EXPECT_EQ(image.Draw(paper.get(), place, CRect(0, 0, 4, 4)), 1);  // misses: draws nothing
    EXPECT_EQ(image.Draw(nullptr, place, kNoClip), 0);

    CPack pack;
    image.streamout(pack);
    zarni::CImage copy;
    copy.streamin(pack);
    EXPECT_EQ(pack.GetLength(), 0u);
    EXPECT_EQ(copy.GetID(), image.GetID());
    EXPECT_EQ(copy.GetSize(), CSize(12, 10));
    EXPECT_EQ(copy.GetMode(), 0u);

    zarni::CImage empty;
    CPack emptyPack;
    empty.streamout(emptyPack);
    EXPECT_EQ(emptyPack.GetLength(), 16u + 8 + 0 + 8);
}

TEST(Animate, StripFramesAdvanceByTheirDelaysAndDrawTheirColumns) {
    const std::string png = ReadTestData("tile.png");  // 12 x 10: three frames of 4 x 10
    zarni::CAnimate strip(0);
    CountingPainter painter;
    strip.SetPainter(&painter);
    ASSERT_EQ(strip.SetAnimate(png, Delays({100, 200, 300}), "strip"), 1);
    EXPECT_EQ(strip.GetSize(), CSize(4, 10));
    std::vector<unsigned int> frames;
    for (int tick = 0; tick < 7; ++tick) {
        strip.TimeArrive(100);
        frames.push_back(strip.GetCurFrame());
    }
    EXPECT_EQ(frames, (std::vector<unsigned int>{1, 1, 2, 2, 2, 0, 1}));
    EXPECT_EQ(painter.calls, 4);

    zarni::CImage whole(0);
    whole.SetImage(png, "");
    auto reference = Paper(12, 10);
    whole.Draw(reference.get(), CRect(0, 0, 12, 10), kNoClip);
    strip.TimeArrive(200);  // frame 2
    auto paper = Paper(10, 12);
    ASSERT_EQ(strip.Draw(paper.get(), CRect(3, 1, 7, 11), kNoClip), 1);
    EXPECT_EQ(Pixels(*paper, CRect(3, 1, 7, 11)), Pixels(*reference, CRect(8, 0, 12, 10)));
    EXPECT_EQ(paper->GetPixel(7, 5), kPaper);

    // Zero delays move on at every pulse.
    zarni::CAnimate fast(0);
    ASSERT_EQ(fast.SetAnimate(png, Delays({0, 0, 0}), ""), 1);
    fast.TimeArrive(1);
    fast.TimeArrive(1);
    EXPECT_EQ(fast.GetCurFrame(), 2u);

    // One delay, or none: a single frame that never moves.
    for (auto delays : {Delays({50}), Delays({})}) {
        zarni::CAnimate still;
        CountingPainter quiet;
        still.SetPainter(&quiet);
        ASSERT_EQ(still.SetAnimate(png, delays, ""), 1);
        for (int tick = 0; tick < 5; ++tick)
            still.TimeArrive(100);
        EXPECT_EQ(still.GetCurFrame(), 0u);
        EXPECT_EQ(quiet.calls, 0);
        EXPECT_EQ(still.GetSize().cx, 12);
    }
}

TEST(Animate, PictureFramesUseTheFileDelaysAndSurviveStreaming) {
    const std::string gif = ReadTestData("anim.gif");  // 3 frames of 6 x 4: 10, 20, 30 hundredths
    zarni::CAnimate anim;
    ASSERT_EQ(anim.SetAnimate(gif, Delays({7}), "gif"), 1);
    EXPECT_EQ(anim.GetSize(), CSize(6, 4));
    std::vector<unsigned int> frames;
    for (int tick = 0; tick < 12; ++tick) {
        anim.TimeArrive(50);
        frames.push_back(anim.GetCurFrame());
    }
    EXPECT_EQ(frames, (std::vector<unsigned int>{0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 0}));
    const ZarniUUID framesId = Digest(gif + "7");
    EXPECT_EQ(anim.GetSubCSO()->GetID(), Digest("gif" + Hex(framesId.words[0])));

    CPack pack;
    anim.streamout(pack);
    zarni::CAnimate copy(0);
    copy.streamin(pack);
    EXPECT_EQ(pack.GetLength(), 0u);
    EXPECT_NE(copy.GetID(), anim.GetID());  // an animation keeps the id it was made with
    EXPECT_EQ(copy.GetSubCSO()->GetID(), anim.GetSubCSO()->GetID());
    EXPECT_STREQ(copy.GetReplaceText().GetString(), "gif");

    zarni::CAnimate broken;
    EXPECT_EQ(broken.SetAnimate("GIF89a garbage", Delays({1}), "x"), 0);
    EXPECT_EQ(broken.SetAnimate("", Delays({1}), "x"), 0);
    EXPECT_EQ(broken.GetSubCSO(), nullptr);
    broken.TimeArrive(1000);
    EXPECT_EQ(broken.GetCurFrame(), 0u);
    CPack cut;
    cut << 5u << ZarniUUID() << std::string("t") << gif << 1000u;  // count without its delays
    broken.streamin(cut);
    EXPECT_EQ(broken.GetSize(), CSize(6, 4));
}

TEST(BuiltinCreator, MakesEmptyPicturesAndAnimations) {
    TOwned<ICompressStoreObj> picture(CBuiltinCreator::Instance().CreateObj(ImageClassId()));
    TOwned<ICompressStoreObj> animation(CBuiltinCreator::Instance().CreateObj(AnimateClassId()));
    auto* image = dynamic_cast<zarni::CImage*>(picture.get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetSize(), CSize(0, 0));
    EXPECT_EQ(image->GetMode(), 255u);
    ASSERT_NE(dynamic_cast<zarni::CAnimate*>(animation.get()), nullptr);
    EXPECT_EQ(CBuiltinCreator::Instance().CreateObj(TextRunClassId()), nullptr);
}
