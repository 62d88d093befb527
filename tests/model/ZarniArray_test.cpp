// CZarniArray: growth and shrink rules, copying, argument checks, self-insertion, lookup.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/ZarniArray.h"

namespace {

template <class T>
std::vector<T> Contents(const CZarniArray<T>& a) {
    return std::vector<T>(a.GetData(), a.GetData() + a.GetSize());
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
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetCapacity(), 0u);
    EXPECT_EQ(a.GetGrowBy(), 8u);
    for (uint16_t i = 0; i < 8; ++i)
        a.Add(i);
    EXPECT_EQ(a.GetCapacity(), 8u);
    a.Add(8);
    EXPECT_EQ(a.GetCapacity(), 24u);  // 8 + the step 16
    EXPECT_EQ(a.GetGrowBy(), 32u);

    std::vector<uint32_t> steps;
    CZarniArray<uint8_t> b;
    uint32_t capacity = 0;
    while (steps.size() < 13) {
        b.Add(1);
        if (b.GetCapacity() != capacity)
            steps.push_back(b.GetCapacity() - capacity);
        capacity = b.GetCapacity();
    }
    const std::vector<uint32_t> expected = {8,    16,   32,   64,   128,  256, 512,
                                            1024, 2048, 4096, 8192, 8192, 8192};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(b.GetGrowBy(), 8192u);

    // A bulk insertion grows by what it needs when that exceeds the step.
    CZarniArray<int32_t> c;
    c.InsertAt(0, Iota(100));
    EXPECT_EQ(c.GetCapacity(), 100u);
    EXPECT_EQ(c.GetGrowBy(), 16u);
    c.Add(100);
    EXPECT_EQ(c.GetCapacity(), 116u);
    c.AssertValid();
}

TEST(ZarniArray, ShrinksByHalfWhenThreeQuartersIdle) {
    CZarniArray<int32_t> a;
    a.InsertAt(0, Iota(100));  // capacity 100, growBy 16
    a.RemoveAt(25, 75);
    EXPECT_EQ(a.GetCapacity(), 50u);
    a.RemoveAt(12, 13);
    EXPECT_EQ(a.GetCapacity(), 25u);
    a.RemoveAt(7, 1);
    EXPECT_EQ(a.GetCapacity(), 25u);  // 11 > 25 / 4
    a.RemoveAt(6, 5);
    EXPECT_EQ(a.GetCapacity(), 12u);
    a.RemoveAt(0, 3);
    EXPECT_EQ(a.GetCapacity(), 12u);  // no longer above growBy
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{3, 4, 5}));
    a.AssertValid();

    CZarniArray<int32_t> b = Iota(9);
    b = b;  // self-assignment changes nothing
    for (int i = 0; i < 8; ++i)
        b.RemoveAt(0);
    b.RemoveAt(0);
    EXPECT_EQ(b.GetSize(), 0u);
    EXPECT_EQ(b.GetCapacity(), 24u);  // capacity never exceeded growBy 32
    b.RemoveAll();
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_EQ(b.GetCapacity(), 0u);
    EXPECT_EQ(b.GetGrowBy(), 32u);
}

TEST(ZarniArray, CopyAndAssignmentSizeTheirStorage) {
    CZarniArray<int32_t> three = Iota(9);  // growBy 32 in the source does not carry over
    three.RemoveAt(3, 6);
    CZarniArray<int32_t> copy(three);
    EXPECT_EQ(copy.GetCapacity(), 8u);
    EXPECT_EQ(copy.GetGrowBy(), 8u);
    EXPECT_EQ(Contents(copy), Contents(three));
    const CZarniArray<int32_t> hundred = Iota(100), none;
    EXPECT_EQ(CZarniArray<int32_t>(hundred).GetCapacity(), 100u);
    EXPECT_EQ(CZarniArray<int32_t>(none).GetCapacity(), 8u);

    CZarniArray<int32_t> target;
    target.Add(7);  // growBy 16
    target = three;
    EXPECT_EQ(target.GetCapacity(), 16u);
    EXPECT_EQ(target.GetGrowBy(), 32u);
    EXPECT_EQ(Contents(target), (std::vector<int32_t>{0, 1, 2}));
    target = hundred;
    EXPECT_EQ(target.GetCapacity(), 100u);
    EXPECT_EQ(target.GetGrowBy(), 64u);
    EXPECT_EQ(Contents(target), Contents(hundred));
    target = none;  // a source without storage empties the target
    EXPECT_EQ(target.GetData(), nullptr);
    EXPECT_EQ(target.GetSize(), 0u);
    EXPECT_EQ(target.GetGrowBy(), 64u);
    target.AssertValid();
}

TEST(ZarniArray, IgnoresOutOfRangeArguments) {
    CZarniArray<int32_t> a = Iota(4);
    const std::vector<int32_t> before = Contents(a);
    a.InsertAt(5, 9);
    a.InsertAt(5, Iota(2));
    a.InsertAt(0, CZarniArray<int32_t>());  // no storage
    a.InsertRange(0, Iota(3), 2, 2);        // from + count passes the source
    a.InsertRange(0, Iota(3), 1, UINT32_MAX);
    a.InsertRange(0, Iota(3), UINT32_MAX, 2);
    a.RemoveAt(4, 1);
    a.RemoveAt(1, 0);
    EXPECT_EQ(Contents(a), before);
    EXPECT_EQ(a.GetCapacity(), 8u);

    a.InsertRange(4, Iota(3), 1, 2);  // appending at the size is allowed
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3, 1, 2}));
    a.RemoveAt(1, UINT32_MAX);  // a span past the end cuts the array at the index
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0}));
    a.AssertValid();
}

TEST(ZarniArray, InsertsItselfAndItsOwnElements) {
    CZarniArray<int32_t> a = Iota(8);
    ASSERT_EQ(a.GetCapacity(), a.GetSize());
    a.InsertAt(4, a);  // grows while inserting itself
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7}));
    a.InsertRange(16, a, 1, 2);
    a.InsertRange(0, a, 17, 1);
    EXPECT_EQ(a.GetSize(), 19u);
    EXPECT_EQ(a[0], 2);
    EXPECT_EQ(a[17], 1);
    EXPECT_EQ(a[18], 2);
    CZarniArray<int32_t> b = Iota(8);
    b.InsertAt(0, b[7]);  // full: growing releases the storage the value lives in
    EXPECT_EQ(Contents(b), (std::vector<int32_t>{7, 0, 1, 2, 3, 4, 5, 6, 7}));
    a.AssertValid();

    CZarniArray<std::string> s;
    for (int i = 0; i < 8; ++i)
        s.Add(Big(i));
    s.InsertAt(0, s[7]);  // full array of non-trivial elements
    s.InsertAt(2, s);
    ASSERT_EQ(s.GetSize(), 18u);
    EXPECT_EQ(s[0], Big(7));
    EXPECT_EQ(s[2], Big(7));
    EXPECT_EQ(s[10], Big(7));
    EXPECT_EQ(s[11], Big(1));
    EXPECT_EQ(s[17], Big(7));
    s.RemoveAt(1, 16);
    EXPECT_EQ(Contents(s), (std::vector<std::string>{Big(7), Big(7)}));
    CZarniArray<std::string> t(s);
    s = t;
    t.RemoveAll();
    EXPECT_EQ(Contents(s), (std::vector<std::string>{Big(7), Big(7)}));
    s.AssertValid();
}

TEST(ZarniArray, LookupFindsExactKeysOnly) {
    CZarniArray<int32_t> arr;
    EXPECT_EQ(EBU_Lookup(3, arr), -1);
    EXPECT_EQ(EBU_LowerBound(3, arr), 0u);
    arr.Add(3);
    EXPECT_EQ(EBU_Lookup(3, arr), 0);
    EXPECT_EQ(EBU_Lookup(5, arr), -1);
    arr.Add(4);
    EXPECT_EQ(EBU_Lookup(4, arr), 1);
    EXPECT_EQ(EBU_Lookup(5, arr), -1);
    arr.Add(5);
    EXPECT_EQ(EBU_Lookup(5, arr), 2);
    EXPECT_EQ(EBU_Lookup(7, arr), -1);
    arr.Add(7);
    EXPECT_EQ(EBU_Lookup(7, arr), 3);
    EXPECT_EQ(EBU_Lookup(6, arr), -1);

    CZarniArray<int32_t> evens;
    for (int32_t i = 0; i < 101; ++i)
        evens.Add(2 * i);
    for (int32_t i = 0; i < 101; ++i) {
        EXPECT_EQ(EBU_Lookup(2 * i, evens), i);
        EXPECT_EQ(EBU_Lookup(2 * i + 1, evens), -1);
        EXPECT_EQ(EBU_LowerBound(2 * i, evens), static_cast<uint32_t>(i));
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

    CZarniArray<std::pair<int32_t, char>> table;
    for (char c = 'a'; c <= 'e'; ++c)
        table.Add({10 * (c - 'a'), c});
    auto key = [](const std::pair<int32_t, char>& p) { return p.first; };
    EXPECT_EQ(EBU_Lookup(30, table, key), 3);
    EXPECT_EQ(EBU_Lookup(35, table, key), -1);
    EXPECT_EQ(EBU_LowerBound(35, table, key), 4u);
}

namespace {

int32_t IntValue(std::mt19937& rng) {
    return static_cast<int32_t>(rng());
}
std::string StringValue(std::mt19937& rng) {
    return Big(static_cast<int>(rng() % 1000));
}

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
                if (from + count <= 20 && count > 0) {
                    ref.insert(ref.begin() + at, poolRef.begin() + from,
                               poolRef.begin() + from + count);
                }
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
                if (at < size && count > 0) {
                    ref.erase(ref.begin() + at, ref.begin() + at + std::min(count, size - at));
                }
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
    RunRandomEdits<int32_t>(seed, 1500, IntValue);
    RunRandomEdits<std::string>(seed, 400, StringValue);
}
