// CFixedMetricFactory: a drawing factory whose text has known sizes, and CFixedMetricScope,
// which installs one for the length of a test.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/base/Geometry.h"
#include "platform/graphics/Morla.h"

// CalcText gives every single-byte character one size (6 x 12 unless set) and every
// double-byte character another (12 x 12 unless set); the width of a text is the sum, the
// height the tallest. Single characters and fonts of a given lfHeight may have sizes of their
// own. Canvases, fonts, brushes and images are real objects that draw nothing: drawing calls
// answer TRUE, images fail to Load.
class CFixedMetricFactory : public IXFactory {
public:
    CFixedMetricFactory();
    virtual ~CFixedMetricFactory() = default;
    CFixedMetricFactory(const CFixedMetricFactory&) = delete;
    CFixedMetricFactory& operator=(const CFixedMetricFactory&) = delete;

    IXObject* Create(int kind) override;

    void SetSingleByteSize(const CSize& size) { m_state->single = size; }
    // A single-byte character with a size of its own.
    void SetCharSize(unsigned char ch, const CSize& size) { m_state->chars[ch] = size; }
    // In a font whose |lfHeight| is height, single-byte characters without a size of their
    // own measure single and double-byte characters dbcs.
    void SetFontHeightSizes(int height, const CSize& single, const CSize& dbcs) {
        m_state->heights[height < 0 ? -height : height] = {single, dbcs};
    }

    // Number of CalcText calls so far.
    int GetCalcTextCalls() const { return m_state->calcCalls; }
    // Objects created and not yet released.
    int GetLiveObjects() const { return m_state->live; }
    // Every text drawn since the last call, as "text@left,top " in drawing order.
    std::string TakeDrawnText() { return std::exchange(m_state->drawn, std::string()); }

    // State shared with the objects, which may outlive the factory.
    struct CState {
        CSize single{6, 12};
        CSize dbcs{12, 12};
        std::map<unsigned char, CSize> chars;
        std::map<int, std::pair<CSize, CSize>> heights;
        int calcCalls = 0;
        std::string drawn;
        int live = 0;
    };

private:
    std::shared_ptr<CState> m_state;
};

// Installs a fixed-metric factory and drops the measurer's cache; on destruction puts back
// the factory that was in force before (scopes nest) and drops the cache again.
class CFixedMetricScope {
public:
    CFixedMetricScope();
    ~CFixedMetricScope();
    CFixedMetricScope(const CFixedMetricScope&) = delete;
    CFixedMetricScope& operator=(const CFixedMetricScope&) = delete;

    CFixedMetricFactory& Factory() { return m_factory; }

private:
    CFixedMetricFactory m_factory;
    CFixedMetricScope* m_outer;
};
