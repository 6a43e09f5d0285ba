#pragma once

#include <cstdint>
#include <memory>

#include "fade_sprite.h"

// A capacity-limited list that owns its sprites, linked through their `next`
// in the order in which they were added.
class SpritePool {
public:
    explicit SpritePool(std::int32_t capacity);
    virtual ~SpritePool(); // deletes every sprite still held
    SpritePool(const SpritePool&) = delete;
    SpritePool& operator=(const SpritePool&) = delete;

    // Takes the sprite and links it after the tail; a full pool refuses it,
    // and a refused sprite is deleted. True when the sprite was taken.
    bool add(std::unique_ptr<FadeSprite> sprite);

    // One pass from the head: updates each sprite, then hands it to draw if
    // it is still alive, or unlinks and deletes it if its update ended it.
    // A sprite is drawn right after its own update, before the next is updated.
    template <typename Draw>
    void update_each(float current_time, float frame_delta, Draw&& draw);

    FadeSprite* head() const { return m_head; }
    FadeSprite* tail() const { return m_tail; }
    std::int32_t count() const { return m_count; }
    std::int32_t capacity() const { return m_capacity; }

private:
    // Unlinks current (whose predecessor is previous, or none) and deletes it;
    // returns the sprite that followed it.
    FadeSprite* remove(FadeSprite* previous, FadeSprite* current);

    FadeSprite* m_head = nullptr;
    FadeSprite* m_tail = nullptr;
    std::int32_t m_count = 0;
    std::int32_t m_capacity = 0;
};

template <typename Draw>
void SpritePool::update_each(float current_time, float frame_delta, Draw&& draw) {
    FadeSprite* previous = nullptr;
    FadeSprite* current = m_head;
    while (current != nullptr) {
        current->update(current_time, frame_delta);
        if (current->alive) {
            draw(*current);
            previous = current;
            current = current->next;
        } else {
            current = remove(previous, current);
        }
    }
}
