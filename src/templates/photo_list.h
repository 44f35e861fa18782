#pragma once

#include <functional>
#include <optional>
#include <QStringList>

#include "core/app_state.h"
#include "core/ui.h"
#include "templates/album.h"
#include "templates/auto_text_effects.h"
#include "templates/background_pool.h"

namespace velmora {

// The photo list holds at most this many photos; further chosen files are skipped silently.
inline constexpr int kPhotoCapacity = 30000;

// Values of the delete-request markers: the photo-files window's
// `delete_request_photo_files` and the main window's `delete_request_main_window`.
inline constexpr const char* kDeleteOneFromPhotoFiles = "shanchu-dange";
inline constexpr const char* kDeleteAllFromPhotoFiles = "shanchu-quanbu";
inline constexpr const char* kDeleteOneFromMainWindow = "shanchu-dange-Form2";
inline constexpr const char* kDeleteAllFromMainWindow = "shanchu-quanbu-Form2";

// The photo dialog's filter. Cameras write ".JPG", so every letter case is offered.
QString photo_file_filter();

// What the photo list asks of the windows that show photos. Each window sets the entries it
// owns; an unset entry does nothing.
struct PhotoListViews {
    std::function<void()> hide_number_badge;            // main window, when photos are added
    std::function<void(bool with_names)> clear_main_pages; // main window's nine page pictures
    std::function<void()> reload_photo_files;           // photo-files window thumbnails
    std::function<void()> clear_photo_files;
    std::function<void()> reload_main_thumbnails;       // main window list at cell 125 x 80
    std::function<void()> clear_main_thumbnails;
    std::function<void()> clear_details;                // photo window's details and preview
};

// How a plain addition of chosen files went.
struct AppendResult {
    int added = 0;
    int over_capacity = 0;  // skipped silently
    // Skipped and named in one message:
    QStringList unreadable; // not a JPEG whose image decodes to the end
    QStringList too_large;  // over the photo pixel limit
    QStringList too_narrow; // beyond the photo aspect limit
};

// The album's photo list `daoru_zhaopian` and the operations that keep every reference to its
// rows consistent: slot rows, the background photo pool and background rows, and the text
// effects placed for slots. Interface thread only. Album, state, Ui and effects are borrowed
// and must outlive this object.
class PhotoList {
public:
    PhotoList(Album& album, AppState& state, Ui& ui, RandomPick random, AutoTextEffects& effects);

    Album& album() const { return album_; }
    Ui& ui() const { return ui_; }
    PhotoListViews& views() { return views_; }
    // The background photo pool `qubu_hengzhao`, as of the last rebuild.
    const BackgroundPool& pool() const { return pool_; }
    const RandomPick& random() const { return random_; }
    AutoTextEffects& effects() const { return effects_; }

    // Set by the photo-files window before it requests a deletion (see dispatch_delete_requests).
    QString delete_request_photo_files;

    // Checks (check_photo) and appends `files` in order up to the capacity, reporting progress
    // per file and letting events run. Files that cannot serve as photos are skipped and named
    // in one message after the loop.
    AppendResult append_files(const QStringList& files);
    // Rebuilds the pool and gives background rows without a picture a random pool photo.
    void refresh_backgrounds();

    // "删除照片": deletes photo row `selected` after confirmation, with everything that referred
    // to it. Returns whether a photo was deleted.
    bool delete_photo(std::optional<int> selected);
    // "全部删除": empties photos, used templates, slot rows and backgrounds after confirmation.
    bool delete_all();
    // Runs the deletions the markers request, in their fixed order, then clears both markers so
    // that an old request is never carried out again with a later one.
    void dispatch_delete_requests(std::optional<int> selected);

private:
    bool confirm_delete_photo(int slot_uses);
    QStringList release_slots_of(int row);
    void remove_marked_effects(const QStringList& marks);
    void after_single_deletion();
    void notify(const std::function<void()>& view) const;

    Album& album_;
    AppState& state_;
    Ui& ui_;
    RandomPick random_;
    AutoTextEffects& effects_;
    PhotoListViews views_;
    BackgroundPool pool_;
};

// Hooks of the adding job. The template assignment and the automatic effects are other
// parts' work; an unset hook does nothing.
struct AddPhotosHooks {
    // Runs after the photos were appended and backgrounds filled (template assignment,
    // default background, automatic effects).
    std::function<void()> after_adding;
    // Waits until automatically placed text effects are done; unset: they are done at once.
    std::function<void()> wait_for_auto_text_effects;
};

// The adding job the progress window runs: hide the main window's badge, append the files,
// rebuild the pool and fill backgrounds, then the hooks in order.
AppendResult add_photos_job(PhotoList& list, const QStringList& files, const AddPhotosHooks& hooks);

} // namespace velmora
