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
    // After used template `used_row` was deleted (its slot rows with it): the automatic effects
    // placed on it go, those of later templates follow their template up one row and are
    // retimed.
    virtual void after_template_deleted(int used_row) { (void)used_row; }
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
