// Objects made by the host: the view as their painting host while they are in the document,
// and commands reaching them by id.
#include <gtest/gtest.h>

#include <vector>

#include "editor/EditorInterface.h"
#include "model/CompressStore.h"
#include "objects/ExternalObj.h"
#include "objects/ObjectPaintHost.h"
#include "support/ChangeRecorder.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

// A host object that answers commands with command + param and keeps its painting host.
class CHostObject : public IExternalObj {
public:
    IClone* Clone() override { return new CHostObject(*this); }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return ZarniUUID(7, 7, 7, 7); }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override { return new CHostObject(*this); }
    void ShallowDestroy() override { delete this; }
    CSize GetSize() override { return CSize(10, 8); }
    int Draw(IXCanvas*, const CRect&, const CRect&) override { return 1; }
    void UnVisible() override {}
    void OutOfView() override {}
    void InView(const CRect&) override {}
    CString GetReplaceText() override { return CString("[host]"); }
    ZarniUUID GetCLSID() override { return ZarniUUID(1, 2, 3, 4); }
    void streamout(CPack&) const override {}
    void streamin(CPack&) override {}
    unsigned long ExecuteCmd(unsigned int command, unsigned long param) override {
        return command + param;
    }
    void SetPaintHost(IObjectPaintHost* host) override { m_host = host; }
    IObjectPaintHost* m_host = nullptr;
};

}  // namespace

TEST(ExternalObject, PaintsThroughTheViewWhileInTheDocumentAndTakesCommands) {
    CEditorInterface ed;
    CChangeRecorder recorder;
    ed.SetViewListener(&recorder);
    ed.SetViewSize(CSize(200, 60));
    ASSERT_TRUE(ed.ReplaceSel(CString("x")));
    CHostObject original;
    CMultilayerView* view = ed.GetCore().GetRoot()->GetView();
    // Inserted as a plain visible object it gets no host, and the view ignores its repaints.
    ASSERT_TRUE(ed.ReplaceSel(static_cast<IVisibleComplexObj*>(&original)));
    auto* stored = dynamic_cast<CHostObject*>(CCompressStore::Instance().Find(original.GetID()));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_host, nullptr);
    recorder.changed.clear();
    view->RepaintObject(stored);
    EXPECT_TRUE(recorder.changed.empty());
    ASSERT_TRUE(ed.Undo());

    ASSERT_TRUE(ed.ReplaceSel(&original));
    stored = dynamic_cast<CHostObject*>(CCompressStore::Instance().Find(original.GetID()));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_host, view);
    EXPECT_EQ(ed.ExcuteEOCmd(original.GetID(), 30, 12), 42u);
    EXPECT_EQ(ed.ExcuteEOCmd(ZarniUUID(), 30, 12), 0u);

    recorder.changed.clear();
    stored->m_host->RepaintObject(stored);
    ASSERT_EQ(recorder.changed.size(), 1u);
    EXPECT_EQ(recorder.changed[0], view->GetEditorView()->GetPosRect(1));

    ASSERT_TRUE(ed.Undo());  // the object leaves: no host, and its repaints are not heard
    EXPECT_EQ(stored->m_host, nullptr);
    recorder.changed.clear();
    view->RepaintObject(stored);
    EXPECT_TRUE(recorder.changed.empty());
    ASSERT_TRUE(ed.Redo());
    EXPECT_EQ(stored->m_host, view);
}
