#include "templates/photo_list.h"

#include <QFileInfo>

#include "core/native_path.h"
#include "templates/photo_limits.h"
#include "templates/photo_measure.h"

namespace velmora {
namespace {

const QString kDeleteTitle = QStringLiteral("删除照片");
constexpr int kNamedUnreadableFiles = 10;

PhotoEntry photo_entry(const QString& path, QSize size) {
    const QFileInfo info(path);
    PhotoEntry photo;
    photo.name = info.completeBaseName();
    photo.format = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    photo.width = size.width();
    photo.height = size.height();
    photo.location = info.absoluteFilePath();
    return photo;
}

// One section of the refusal message: its heading and the first names, then the count.
QString refusal_section(const QString& heading, const QStringList& files) {
    QStringList names;
    for (int i = 0; i < files.size() && i < kNamedUnreadableFiles; ++i)
        names.append(shown_path(QFileInfo(files[i]).fileName()));
    QString text = heading + QLatin1Char('\n') + names.join(QLatin1Char('\n'));
    if (files.size() > kNamedUnreadableFiles)
        text += QStringLiteral("\n……共 %1 个文件").arg(files.size());
    return text;
}

// Every file refused by one addition, in one message.
QString refusal_message(const AppendResult& result) {
    QStringList sections;
    if (!result.unreadable.isEmpty())
        sections.append(refusal_section(QStringLiteral("下列文件不是可以读取的JPG照片文件,没有添加:"), result.unreadable));
    if (!result.too_large.isEmpty())
        sections.append(refusal_section(
            QStringLiteral("下列照片文件太大(超过%1亿像素),没有添加:").arg(kMaxPhotoPixels / 100000000), result.too_large));
    if (!result.too_narrow.isEmpty())
        sections.append(refusal_section(
            QStringLiteral("下列照片文件的长宽比例超过%1比1,没有添加:").arg(kMaxPhotoAspect), result.too_narrow));
    return sections.join(QStringLiteral("\n\n"));
}

// Empties what a slot knew about its photo; the effect mark stays until its effects are gone.
void release_slot(SlotRow& slot) {
    const SlotRow empty;
    slot.matched = false;
    slot.photo_row.reset();
    slot.photo_location.clear();
    slot.jiancai_left_x = slot.jiancai_top_y = slot.jiancai_width = slot.jiancai_height = 0;
    slot.shizhong_jiancai_left_x = slot.shizhong_jiancai_top_x = 0;
    slot.shizhong_jiancai_width = slot.shizhong_jiancai_height = 0;
    slot.crop_mark = empty.crop_mark;
}

int slot_uses(const Album& album, int row) {
    int k = 0;
    for (const SlotRow& slot : album.slot_rows)
        k += slot.photo_row == row ? 1 : 0;
    return k;
}

} // namespace

QString photo_file_filter() {
    return QStringLiteral("添加照片文件(JPG) (*.jpg *.jpeg *.JPG *.JPEG *.Jpg *.Jpeg)");
}

PhotoList::PhotoList(Album& album, AppState& state, Ui& ui, RandomPick random, AutoTextEffects& effects)
    : album_(album), state_(state), ui_(ui), random_(std::move(random)), effects_(effects) {
    pool_ = build_background_pool(album_.photos);
}

void PhotoList::notify(const std::function<void()>& view) const {
    if (view)
        view();
}

AppendResult PhotoList::append_files(const QStringList& files) {
    AppendResult result;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (int(album_.photos.size()) >= kPhotoCapacity) {
            result.over_capacity = total - i;
            break;
        }
        const CheckedPhoto photo = check_photo(files[i]);
        switch (photo.refusal) {
        case PhotoRefusal::None:
            album_.photos.push_back(photo_entry(files[i], photo.size));
            ++result.added;
            break;
        case PhotoRefusal::Unreadable:
            result.unreadable.append(files[i]);
            break;
        case PhotoRefusal::TooManyPixels:
            result.too_large.append(files[i]);
            break;
        case PhotoRefusal::TooNarrow:
            result.too_narrow.append(files[i]);
            break;
        }
        ui_.show_progress(i + 1, total);
        ui_.pump_events();
    }
    ui_.show_progress(total, total);
    const QString refusals = refusal_message(result);
    if (!refusals.isEmpty())
        ui_.show_message(refusals);
    return result;
}

void PhotoList::refresh_backgrounds() {
    pool_ = build_background_pool(album_.photos);
    fill_empty_backgrounds(album_.backgrounds, pool_, random_);
}

bool PhotoList::confirm_delete_photo(int uses) {
    const QString question =
        uses == 0 ? QStringLiteral("是否确定要删除当前选中的照片文件?")
                  : QStringLiteral("此张照片文件在 %1 个模板文件中使用,删除后,模板文件中的照片文件也会被删除,"
                                   "是否确定要删除当前选中的照片文件?")
                        .arg(uses);
    return ui_.confirm(kDeleteTitle, question);
}

QStringList PhotoList::release_slots_of(int row) {
    QStringList marks;
    for (SlotRow& slot : album_.slot_rows) {
        if (slot.photo_row != row)
            continue;
        release_slot(slot);
        if (!slot.effect_mark.isEmpty() && !marks.contains(slot.effect_mark))
            marks.append(slot.effect_mark);
        if (slot.used_row >= 0 && slot.used_row < int(album_.used_templates.size()))
            album_.used_templates[std::size_t(slot.used_row)].complete = false;
    }
    return marks;
}

void PhotoList::remove_marked_effects(const QStringList& marks) {
    effects_.remove_marked(marks);
    for (SlotRow& slot : album_.slot_rows)
        if (marks.contains(slot.effect_mark))
            slot.effect_mark.clear();
    ui_.show_message(QStringLiteral("此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！"));
}

bool PhotoList::delete_photo(std::optional<int> selected) {
    if (album_.photos.empty()) {
        ui_.show_message(QStringLiteral("没有添加照片文件！"));
        return false;
    }
    const bool valid = selected && *selected >= 0 && *selected < int(album_.photos.size());
    if (!confirm_delete_photo(valid ? slot_uses(album_, *selected) : 0))
        return false;
    if (!valid) {
        ui_.show_message(QStringLiteral("没有选中照片文件！"));
        return false;
    }
    const int row = *selected;
    const QStringList marks = release_slots_of(row);
    for (SlotRow& slot : album_.slot_rows)
        if (slot.photo_row && *slot.photo_row > row)
            slot.photo_row = *slot.photo_row - 1;
    album_.photos.erase(album_.photos.begin() + row);
    refresh_backgrounds();
    ui_.show_message(QStringLiteral("选中的照片文件已经删除！"));
    if (!marks.isEmpty())
        remove_marked_effects(marks);
    after_single_deletion();
    return true;
}

void PhotoList::after_single_deletion() {
    if (album_.photos.empty() && views_.clear_main_pages)
        views_.clear_main_pages(false);
    if (delete_request_photo_files == QLatin1String(kDeleteOneFromPhotoFiles))
        notify(views_.reload_photo_files);
    if (state_.delete_request_main_window == QLatin1String(kDeleteOneFromMainWindow))
        notify(views_.reload_main_thumbnails);
    notify(views_.clear_details);
    effects_.after_photo_deleted();
}

bool PhotoList::delete_all() {
    if (album_.photos.empty()) {
        ui_.show_message(QStringLiteral("没有添加照片文件！"));
        return false;
    }
    const QString question =
        effects_.any_automatic()
            ? QStringLiteral("是否确定要删除全部照片文件?删除后,自动添加到模板中的文字特效也会被全部删除!")
            : QStringLiteral("是否确定要删除全部照片文件?");
    if (!ui_.confirm(kDeleteTitle, question))
        return false;
    album_.photos.clear();
    pool_.clear();
    album_.used_templates.clear();
    album_.slot_rows.clear();
    album_.backgrounds.clear();
    effects_.remove_all_automatic();
    ui_.show_message(QStringLiteral("照片文件已经全部删除！"));
    if (views_.clear_main_pages)
        views_.clear_main_pages(true);
    if (delete_request_photo_files == QLatin1String(kDeleteAllFromPhotoFiles))
        notify(views_.clear_photo_files);
    if (state_.delete_request_main_window == QLatin1String(kDeleteAllFromMainWindow))
        notify(views_.clear_main_thumbnails);
    notify(views_.clear_details);
    return true;
}

void PhotoList::dispatch_delete_requests(std::optional<int> selected) {
    // One request, one deletion: the first marker in the fixed order wins, and both are consumed,
    // so a marker left from an earlier request cannot delete a second photo now.
    const QString& files = delete_request_photo_files;
    const QString& main = state_.delete_request_main_window;
    if (files == QLatin1String(kDeleteOneFromPhotoFiles) || main == QLatin1String(kDeleteOneFromMainWindow))
        delete_photo(selected);
    else if (files == QLatin1String(kDeleteAllFromPhotoFiles) || main == QLatin1String(kDeleteAllFromMainWindow))
        delete_all();
    delete_request_photo_files.clear();
    state_.delete_request_main_window.clear();
}

AppendResult add_photos_job(PhotoList& list, const QStringList& files, const AddPhotosHooks& hooks) {
    if (list.views().hide_number_badge)
        list.views().hide_number_badge();
    const AppendResult result = list.append_files(files);
    list.refresh_backgrounds();
    if (hooks.after_adding)
        hooks.after_adding();
    if (hooks.wait_for_auto_text_effects)
        hooks.wait_for_auto_text_effects();
    return result;
}

} // namespace velmora
