// The owning, capacity-limited sprite list: what it takes, what it refuses,
// how it unlinks the dead, and that it frees what it holds.

#include "sprite_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A sprite that records its deletion and dies on request in its next update.
class MarkedSprite : public FadeSprite {
public:
    MarkedSprite(SpritePool* pool, char name, std::string* deleted)
        : FadeSprite(pool, 0.0f), name(name), m_deleted(deleted) {}
    ~MarkedSprite() override { *m_deleted += name; }
    void update(float current_time, float frame_delta) override {
        FadeSprite::update(current_time, frame_delta);
        ++updates;
        if (dies) {
            alive = false;
        }
    }
    char name;
    bool dies = false;
    int updates = 0;

private:
    std::string* m_deleted;
};

struct PoolFixture : ::testing::Test {
    MarkedSprite* add(char name) {
        auto sprite = std::make_unique<MarkedSprite>(&pool(), name, &deleted);
        MarkedSprite* raw = sprite.get();
        return pool().add(std::move(sprite)) ? raw : nullptr;
    }
    // The names along the links from the head, checked against tail and count.
    std::string order() {
        std::string names;
        const FadeSprite* last = nullptr;
        for (const FadeSprite* s = pool().head(); s != nullptr; s = s->next) {
            names += static_cast<const MarkedSprite*>(s)->name;
            last = s;
        }
        EXPECT_EQ(pool().tail(), last);
        EXPECT_EQ(pool().count(), static_cast<int>(names.size()));
        return names;
    }
    std::string pass() {
        std::string drawn;
        pool().update_each(0.0f, 0.01f, [&](const FadeSprite& s) {
            drawn += static_cast<const MarkedSprite&>(s).name;
        });
        return drawn;
    }

    void reset() {
        pool_holder = std::make_unique<SpritePool>(3);
        deleted.clear();
    }

    std::string deleted;
    std::unique_ptr<SpritePool> pool_holder = std::make_unique<SpritePool>(3);
    SpritePool& pool() { return *pool_holder; }
};

TEST_F(PoolFixture, KeepsTheOrderOfAddingAndRefusesBeyondItsCapacity) {
    EXPECT_EQ(pool().head(), nullptr);
    EXPECT_EQ(pool().tail(), nullptr);
    ASSERT_NE(add('a'), nullptr);
    ASSERT_NE(add('b'), nullptr);
    ASSERT_NE(add('c'), nullptr);
    EXPECT_EQ(add('d'), nullptr);
    EXPECT_EQ(deleted, "d"); // a refused sprite is deleted at once
    EXPECT_EQ(order(), "abc");
    EXPECT_EQ(pool().capacity(), 3);
}

TEST_F(PoolFixture, UnlinksADeadSpriteAtTheHeadInTheMiddleAndAtTheTail) {
    struct Case {
        const char* dying;
        const char* drawn;
        const char* left;
    };
    for (const Case c : {Case{"a", "bc", "bc"}, Case{"b", "ac", "ac"}, Case{"c", "ab", "ab"},
                         Case{"ac", "b", "b"}, Case{"abc", "", ""}}) {
        SCOPED_TRACE(c.dying);
        reset();
        MarkedSprite* sprites[] = {add('a'), add('b'), add('c')};
        for (MarkedSprite* s : sprites) {
            s->dies = std::string(c.dying).find(s->name) != std::string::npos;
        }
        EXPECT_EQ(pass(), c.drawn); // the dying are not drawn in the pass that ends them
        EXPECT_EQ(deleted, c.dying);
        EXPECT_EQ(order(), c.left);
    }
}

// When the tail dies while an earlier sprite lives, the next sprite added is
// linked after that survivor and takes part in the next pass.
TEST_F(PoolFixture, AppendsAfterTheSurvivorOnceTheTailHasDied) {
    MarkedSprite* a = add('a');
    MarkedSprite* b = add('b');
    b->dies = true;
    EXPECT_EQ(pass(), "a");
    EXPECT_EQ(pool().tail(), a);
    MarkedSprite* c = add('c');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(order(), "ac");
    EXPECT_EQ(pass(), "ac");
    EXPECT_EQ(c->updates, 1);
    // The emptied places can be filled again up to the capacity.
    EXPECT_NE(add('d'), nullptr);
    EXPECT_EQ(add('e'), nullptr);
}

TEST(SpritePool, DeletingAPoolDeletesEverySpriteItHolds) {
    std::string deleted;
    {
        SpritePool pool(10);
        for (char name : std::string("xyz")) {
            pool.add(std::make_unique<MarkedSprite>(&pool, name, &deleted));
        }
        EXPECT_EQ(deleted, "");
    }
    EXPECT_EQ(deleted, "xyz");
}

} // namespace
