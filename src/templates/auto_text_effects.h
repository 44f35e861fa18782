#pragma once

#include <QStringList>

namespace velmora {

// What the photo list needs from the text-effect lists: the effects placed automatically for
// template slots carry a slot's `effect_mark`, and go when their photo goes. The text-effect
// code implements this; until it exists, NoAutoTextEffects stands in. Called on the interface
// thread only.
class AutoTextEffects {
public:
    virtual ~AutoTextEffects() = default;

    // Whether any automatically added text effect exists.
    virtual bool any_automatic() const = 0;
    // Removes every automatically added effect carrying one of `marks` from both text-effect
    // lists (they are row-aligned and lose the same rows).
    virtual void remove_marked(const QStringList& marks) = 0;
    // Removes every automatically added effect from both lists.
    virtual void remove_all_automatic() = 0;
    // After one photo was deleted: renumber the second list's captions 1..n and recompute the
    // start times of the remaining automatic effects.
    virtual void after_photo_deleted() = 0;
};

// No text effects exist.
class NoAutoTextEffects : public AutoTextEffects {
public:
    bool any_automatic() const override { return false; }
    void remove_marked(const QStringList&) override {}
    void remove_all_automatic() override {}
    void after_photo_deleted() override {}
};

} // namespace velmora
