#include "sprite_pool.h"

SpritePool::SpritePool(std::int32_t capacity) : m_capacity(capacity) {}

SpritePool::~SpritePool() {
    FadeSprite* current = m_head;
    while (current != nullptr) {
        FadeSprite* following = current->next;
        delete current;
        current = following;
    }
    m_head = nullptr;
    m_tail = nullptr;
}

bool SpritePool::add(std::unique_ptr<FadeSprite> sprite) {
    if (m_count >= m_capacity) {
        return false;
    }
    FadeSprite* taken = sprite.release();
    taken->next = nullptr;
    if (m_tail == nullptr) {
        m_head = taken;
    } else {
        m_tail->next = taken;
    }
    m_tail = taken;
    ++m_count;
    return true;
}

FadeSprite* SpritePool::remove(FadeSprite* previous, FadeSprite* current) {
    FadeSprite* following = current->next;
    if (previous != nullptr) {
        previous->next = following;
    } else {
        m_head = following;
    }
    if (m_tail == current) {
        m_tail = previous;
    }
    delete current;
    --m_count;
    return following;
}
