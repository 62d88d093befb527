// IEditorListener and CEditorListeners: the editor root's broadcast list.
#pragma once

#include <cstdint>

#include "core/ZarniArray.h"
#include "objects/AnimatePainterListener.h"

// Objects broadcast a pointer to themselves on the list to ask the view to repaint them,
// so the value is pointer-sized.
class IEditorListener {
public:
    virtual void N_EditorNotify(uintptr_t value) = 0;

protected:
    ~IEditorListener() = default;
};

// Ordered, without duplicates; does not own its listeners. Animations in the document have
// it as their painter: a frame change is broadcast as the animation's object pointer.
class CEditorListeners : public IAnimatePainterListener {
public:
    CEditorListeners() = default;
    virtual ~CEditorListeners() = default;
    CEditorListeners(const CEditorListeners&) = delete;
    CEditorListeners& operator=(const CEditorListeners&) = delete;

    void OnFrameChanged(IAnimate* animation) override;
    // Calls every listener in list order.
    void Broadcast(uintptr_t value);
    // 0 when null or already in the list, else appended and 1.
    int Add(IEditorListener* listener);
    // Removes the last occurrence: 1, or 0 when absent.
    int Remove(IEditorListener* listener);
    uint32_t GetSize() const { return m_list.GetSize(); }

private:
    CZarniArray<IEditorListener*> m_list;
};
