// ILayerOrderProvider: where a layer goes in the stack, by its name.
#pragma once

#include "platform/base/String.h"

class ILayerOrderProvider {
public:
    // Layers are drawn in ascending order number; equal numbers keep insertion order.
    virtual int GetLayerOrder(const CString& name) = 0;

protected:
    ~ILayerOrderProvider() = default;
};

// "__background" 0, "__view" 1, any other name 1024.
class CBuiltinLayerOrder : public ILayerOrderProvider {
public:
    int GetLayerOrder(const CString& name) override {
        if (name == "__background")
            return 0;
        if (name == "__view")
            return 1;
        return 1024;
    }
};
