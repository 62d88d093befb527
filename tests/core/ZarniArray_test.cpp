// CZarniArray: growth and shrink rules, copying, argument checks, self-insertion, lookup.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/ZarniArray.h"
#include "support/RandomRuns.h"

namespace {

template <class T>
std::vector<T> Contents(const CZarniArray<T>& a) {
    return std::vector<T>(a.GetData(), a.GetData() + a.GetSize());
}

// "size/capacity/growBy".
template <class T>
std::string Shape(const CZarniArray<T>& a) {
    return std::to_string(a.GetSize()) + "/" + std::to_string(a.GetCapacity()) + "/" +
           std::to_string(a.GetGrowBy());
}

CZarniArray<int32_t> Iota(int32_t n) {
    CZarniArray<int32_t> a;
    for (int32_t i = 0; i < n; ++i)
        a.Add(i);
    return a;
}

// Long enough to live on the heap, so a leaked or doubly freed element shows under ASan.
std::string Big(int n) {
    return std::string(40, 'x') + std::to_string(n);
}

}  // namespace

TEST(ZarniArray, GrowsInDoublingStepsUpTo8192) {
    std::vector<uint32_t> steps;
    CZarniArray<uint8_t> b;
    for (uint32_t capacity = 0; steps.size() < 13; capacity = b.GetCapacity()) {
        b.Add(1);
        if (b.GetCapacity() != capacity)
            steps.push_back(b.GetCapacity() - capacity);
    }
    EXPECT_EQ(steps, (std::vector<uint32_t>{8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 8192,
                                            8192, 8192}));
    // A bulk insertion grows by what it needs when that exceeds the step.
    CZarniArray<int32_t> c;
    c.InsertAt(0, Iota(100));
    EXPECT_EQ(Shape(c), "100/100/16");
    c.Add(100);
    EXPECT_EQ(Shape(c), "101/116/32");
}

TEST(ZarniArray, ShrinksByHalfWhenThreeQuartersIdle) {
    CZarniArray<int32_t> a;
    a.InsertAt(0, Iota(100));  // capacity 100, growBy 16
    // {index, count, capacity after}: 11 > 25 / 4 keeps 25; 12 is not above growBy 16.
    const uint32_t removals[][3] = {{25, 75, 50}, {12, 13, 25}, {7, 1, 25}, {6, 5, 12}, {0, 3, 12}};
    for (const auto& r : removals) {
        a.RemoveAt(r[0], r[1]);
        EXPECT_EQ(a.GetCapacity(), r[2]) << "removing " << r[1] << " at " << r[0];
    }
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{3, 4, 5}));
    a.RemoveAll();
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(Shape(a), "0/0/16");
}

TEST(ZarniArray, CopyAndAssignmentSizeTheirStorage) {
    CZarniArray<int32_t> three = Iota(9);  // growBy 32 in the source does not carry over
    three.RemoveAt(3, 6);
    const CZarniArray<int32_t> copy(three), hundred = Iota(100), none;
    EXPECT_EQ(Shape(copy), "3/8/8");
    EXPECT_EQ(Contents(copy), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(Shape(CZarniArray<int32_t>(hundred)), "100/100/8");

    CZarniArray<int32_t> target;
    target.Add(7);  // growBy 16
    target = three;
    EXPECT_EQ(Shape(target), "3/16/32");
    target = hundred;
    target = target;  // self-assignment changes nothing
    EXPECT_EQ(Shape(target), "100/100/64");
    EXPECT_EQ(Contents(target), Contents(hundred));
    target = none;  // a source without storage empties the target
    EXPECT_EQ(target.GetData(), nullptr);
    EXPECT_EQ(Shape(target), "0/0/64");
}

// The random edits below try most bad positions; these are the ones they cannot reach.
TEST(ZarniArray, IgnoresOutOfRangeArguments) {
    CZarniArray<int32_t> a = Iota(4);
    a.InsertAt(5, 9);  // size + 1
    a.InsertAt(0, CZarniArray<int32_t>());
    a.InsertRange(0, Iota(3), 1, UINT32_MAX);
    a.InsertRange(0, Iota(3), UINT32_MAX, 2);
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(Shape(a), "4/8/16");
}

TEST(ZarniArray, InsertsItselfAndItsOwnElements) {
    CZarniArray<int32_t> a = Iota(8);
    ASSERT_EQ(a.GetCapacity(), a.GetSize());
    a.InsertAt(4, a);  // grows while inserting itself
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7}));
    CZarniArray<int32_t> b = Iota(8);
    b.InsertAt(0, b[7]);  // full: growing releases the storage the value lives in
    EXPECT_EQ(Contents(b), (std::vector<int32_t>{7, 0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(ZarniArray, LookupFindsExactKeysOnly) {
    CZarniArray<int32_t> evens;
    EXPECT_EQ(EBU_Lookup(3, evens), -1);
    EXPECT_EQ(EBU_LowerBound(3, evens), 0u);
    for (int32_t i = 0; i < 101; ++i)
        evens.Add(2 * i);
    for (int32_t i = 0; i < 101; ++i) {
        EXPECT_EQ(EBU_Lookup(2 * i, evens), i);
        EXPECT_EQ(EBU_Lookup(2 * i + 1, evens), -1);
        EXPECT_EQ(EBU_LowerBound(2 * i - 1, evens), static_cast<uint32_t>(i));
    }
    EXPECT_EQ(EBU_LowerBound(1000, evens), 101u);

    // The first probe is at (size - 1) / 2, which decides which of equal keys is found.
    CZarniArray<int32_t> same;
    for (int i = 0; i < 4; ++i)
        same.Add(5);
    EXPECT_EQ(EBU_Lookup(5, same), 1);
    same.Add(5);
    EXPECT_EQ(EBU_Lookup(5, same), 2);
}

namespace {

// Random insertions of single elements and of slices of the array itself, and removals of
// spans, applied to a CZarniArray and to a vector; positions and counts run past the end.
template <class T, class Make>
void RunRandomEdits(uint32_t seed, int steps, Make make) {
    std::mt19937 rng(seed);
    CZarniArray<T> a;
    std::vector<T> ref;
    auto pick = [&](uint32_t bound) { return static_cast<uint32_t>(rng() % (bound + 1)); };
    for (int step = 0; step < steps; ++step) {
        const uint32_t size = a.GetSize(), at = pick(size + 1), count = pick(size + 1);
        const uint32_t from = pick(size);
        const T value = make(rng);
        switch (rng() % 4) {
            case 0:
                a.InsertAt(at, value);
                if (at <= size)
                    ref.insert(ref.begin() + at, value);
                break;
            case 1:
                if (size > 200)  // keeps the array small
                    break;
                a.InsertRange(at, a, from, count);
                if (at <= size && count > 0 && from + count <= size) {
                    const std::vector<T> slice(ref.begin() + from, ref.begin() + from + count);
                    ref.insert(ref.begin() + at, slice.begin(), slice.end());
                }
                break;
            default:
                a.RemoveAt(at, count);
                if (at < size && count > 0)
                    ref.erase(ref.begin() + at, ref.begin() + at + std::min(count, size - at));
                break;
        }
        a.AssertValid();
        ASSERT_EQ(Contents(a), ref) << "step " << step;
    }
}

}  // namespace

TEST(ZarniArray, RandomEditsMatchVector) {
    for (uint32_t seed = 1; seed <= RandomSeeds(3); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RunRandomEdits<int32_t>(seed, 1500, [](std::mt19937& rng) { return int32_t(rng()); });
        RunRandomEdits<std::string>(
            seed, 400, [](std::mt19937& rng) { return Big(static_cast<int>(rng() % 1000)); });
    }
}
