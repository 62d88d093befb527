// CZarniArray: growth and shrink rules, copying, argument checks, self-insertion, lookup.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/ZarniArray.h"

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
    CZarniArray<uint16_t> a;
    for (uint16_t i = 0; i < 9; ++i)
        a.Add(i);
    EXPECT_EQ(Shape(a), "9/24/32");  // capacity 8, then 8 + the step 16

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
    a.AssertValid();

    CZarniArray<int32_t> b = Iota(9);
    b.RemoveAt(0, 9);
    EXPECT_EQ(Shape(b), "0/24/32");  // capacity never exceeded growBy
    b.RemoveAll();
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_EQ(Shape(b), "0/0/32");
}

TEST(ZarniArray, CopyAndAssignmentSizeTheirStorage) {
    CZarniArray<int32_t> three = Iota(9);  // growBy 32 in the source does not carry over
    three.RemoveAt(3, 6);
    const CZarniArray<int32_t> copy(three), hundred = Iota(100), none;
    EXPECT_EQ(Shape(copy), "3/8/8");
    EXPECT_EQ(Contents(copy), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(Shape(CZarniArray<int32_t>(hundred)), "100/100/8");
    EXPECT_EQ(Shape(CZarniArray<int32_t>(none)), "0/8/8");

    CZarniArray<int32_t> target;
    target.Add(7);  // growBy 16
    target = three;
    EXPECT_EQ(Shape(target), "3/16/32");
    EXPECT_EQ(Contents(target), (std::vector<int32_t>{0, 1, 2}));
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

    CZarniArray<std::string> s;  // the same for elements that are not plain bytes
    for (int i = 0; i < 8; ++i)
        s.Add(Big(i));
    s.InsertAt(0, s[7]);
    s.InsertAt(2, s);
    ASSERT_EQ(s.GetSize(), 18u);
    EXPECT_EQ(s[2], Big(7));
    EXPECT_EQ(s[11], Big(1));
    s.RemoveAt(1, 16);
    EXPECT_EQ(Contents(s), (std::vector<std::string>{Big(7), Big(7)}));
    s.AssertValid();
}

TEST(ZarniArray, LookupFindsExactKeysOnly) {
    CZarniArray<int32_t> arr;
    EXPECT_EQ(EBU_Lookup(3, arr), -1);
    EXPECT_EQ(EBU_LowerBound(3, arr), 0u);
    // {appended, found at its index, a missing key}
    const int32_t steps[][2] = {{3, 5}, {4, 5}, {5, 7}, {7, 6}};
    for (const auto& s : steps) {
        arr.Add(s[0]);
        EXPECT_EQ(EBU_Lookup(s[0], arr), static_cast<int32_t>(arr.GetSize()) - 1);
        EXPECT_EQ(EBU_Lookup(s[1], arr), -1);
    }

    CZarniArray<int32_t> evens;
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

// Random edits applied to a CZarniArray and to a vector of the same elements.
template <class T, class Make>
void RunRandomEdits(uint32_t seed, int steps, Make make) {
    std::mt19937 rng(seed);
    CZarniArray<T> a, pool;
    std::vector<T> ref, poolRef;
    for (int i = 0; i < 20; ++i) {
        poolRef.push_back(make(rng));
        pool.Add(poolRef.back());
    }
    auto pick = [&](uint32_t bound) { return static_cast<uint32_t>(rng() % (bound + 1)); };
    for (int step = 0; step < steps; ++step) {
        const uint32_t size = a.GetSize();
        switch (rng() % 8) {
            case 0:
            case 1: {
                const uint32_t at = pick(size + 1);  // size + 1 is ignored
                const T value = make(rng);
                a.InsertAt(at, value);
                if (at <= size)
                    ref.insert(ref.begin() + at, value);
                break;
            }
            case 2: {
                const uint32_t at = pick(size), from = pick(21), count = pick(21);
                a.InsertRange(at, pool, from, count);
                if (from + count <= 20 && count > 0)
                    ref.insert(ref.begin() + at, poolRef.begin() + from,
                               poolRef.begin() + from + count);
                break;
            }
            case 3: {
                const uint32_t at = pick(size), from = pick(size), count = pick(size);
                if (size > 200)
                    break;
                a.InsertRange(at, a, from, count);
                if (count > 0 && from + count <= size) {
                    const std::vector<T> slice(ref.begin() + from, ref.begin() + from + count);
                    ref.insert(ref.begin() + at, slice.begin(), slice.end());
                }
                break;
            }
            case 4:
            case 5:
            case 6: {
                const uint32_t at = pick(size), count = rng() % 4 ? pick(size) : UINT32_MAX;
                a.RemoveAt(at, count);
                if (at < size && count > 0)
                    ref.erase(ref.begin() + at, ref.begin() + at + std::min(count, size - at));
                break;
            }
            default:
                if (rng() % 8 == 0) {
                    a.RemoveAll();
                    ref.clear();
                } else {
                    CZarniArray<T> copy(a);
                    a = pool;
                    a = copy;
                }
                break;
        }
        a.AssertValid();
        ASSERT_EQ(Contents(a), ref) << "step " << step;
    }
}

}  // namespace

TEST(ZarniArray, RandomEditsMatchVector) {
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    RunRandomEdits<int32_t>(seed, 1500, [](std::mt19937& rng) { return int32_t(rng()); });
    RunRandomEdits<std::string>(
        seed, 400, [](std::mt19937& rng) { return Big(static_cast<int>(rng() % 1000)); });
}
