// IDocListener: receiver of the document's change notifications, and its priorities.
#pragma once

#include <cstdint>

// Listeners are called in ascending priority. The values in use:
enum DocListener_Priority : int32_t {
    DLP_LISTENERS = 0,          // a listener list itself (never registered with a document)
    DLP_FORMAT = 1,             // the format store; also the view inside the format listener list
    DLP_LINK = 2,               // the link manager
    DLP_PARAGRAPH = 3,          // the paragraph store
    DLP_VIEW = 4,               // the editor view
    DLP_VIEW_BATCHER = 7,       // the view's repaint batcher
    DLP_WINDOW = 1033,          // the editor window
    DLP_FORMAT_BATCHER = 1034,  // the repaint batcher inside the format listener list
};

// pos is the first position concerned, count the number of units. The -ing calls come
// before the document changes, the -ed calls after.
class IDocListener {
public:
    virtual DocListener_Priority GetDocPriority() = 0;
    virtual void N_Inserting(int pos, int count) = 0;
    virtual void N_Inserted(int pos, int count) = 0;
    virtual void N_Deleting(int pos, int count) = 0;
    virtual void N_Deleted(int pos, int count) = 0;

protected:
    // Listeners are owned by whoever registered them, never deleted through this interface.
    ~IDocListener() = default;
};
