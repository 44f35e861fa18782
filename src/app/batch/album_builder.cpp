#include "app/batch/album_builder.h"

#include <algorithm>
#include <cstdio>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "core/data_error.h"
#include "core/native_path.h"
#include "core/startup_abort.h"
#include "core/system_settings.h"
#include "media/lrc_lyrics.h"
#include "templates/photo_limits.h"
#include "templates/photo_list.h"
#include "templates/photo_measure.h"
#include "templates/template_assignment.h"
#include "templates/template_combination.h"

namespace velmora::batch {
namespace {

bool is_jpeg_name(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

// Chooses combination `n` as the options window would; the reason when there is no such file
// or it cannot be read (the assignment would only report that and place nothing).
QString choose_combination(const DataRoot& root, int n, AssignmentState& state) {
    const std::vector<CombinationListRow> rows = combination_list(root);
    if (n > int(rows.size()))
        return QStringLiteral("there is no combination file %1").arg(n);
    try {
        read_combination(root, n, n);
    } catch (const DataError& e) {
        return QStringLiteral("combination %1 cannot be used: %2").arg(n).arg(e.message());
    }
    state.mobanfashi = AssignmentMode::Combination;
    state.zuhemoban_xuanhao = n - 1;
    state.required_landscape = rows[std::size_t(n - 1)].landscape;
    state.required_portrait = rows[std::size_t(n - 1)].portrait;
    return {};
}

bool any_template_complete(const Album& album) {
    return std::any_of(album.used_templates.begin(), album.used_templates.end(),
                       [](const UsedTemplate& used) { return used.complete; });
}

// "--combination N" taken out of `arguments`: 0 when absent, -1 when malformed.
int take_combination(QStringList& arguments) {
    const qsizetype i = arguments.indexOf(QStringLiteral("--combination"));
    if (i < 0)
        return 0;
    bool ok = false;
    const int n = i + 1 < arguments.size() ? arguments[i + 1].toInt(&ok) : 0;
    arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
    return ok && n > 0 ? n : -1;
}

std::optional<QStringList> take_lyric_files(QStringList& arguments, QString& error) {
    QStringList files;
    for (qsizetype i = arguments.indexOf(QStringLiteral("--lyrics")); i >= 0;
         i = arguments.indexOf(QStringLiteral("--lyrics"))) {
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("--lyrics needs a value");
            return std::nullopt;
        }
        const QString file = arguments[i + 1];
        arguments.remove(i, 2);
        if (!QFileInfo(file).isFile()) {
            error = QStringLiteral("the lyric file %1 does not exist").arg(file);
            return std::nullopt;
        }
        error = lyric_file_refusal(file);
        if (!error.isEmpty())
            return std::nullopt;
        files.append(file);
    }
    return files;
}

// Why a photo is left out, for the person reading the run's messages; empty when it is not.
QString refusal_reason(PhotoRefusal refusal) {
    switch (refusal) {
    case PhotoRefusal::Unreadable:
        return QStringLiteral("not a JPEG photo that can be decoded");
    case PhotoRefusal::TooManyPixels:
        return QStringLiteral("more than %1 megapixels").arg(kMaxPhotoPixels / 1000000);
    case PhotoRefusal::TooNarrow:
        return QStringLiteral("one side more than %1 times the other").arg(kMaxPhotoAspect);
    case PhotoRefusal::None:
        break;
    }
    return {};
}

} // namespace

int fail(const QString& message) {
    std::fprintf(stderr, "velmora-make: %s\n", message.toUtf8().constData());
    return 1;
}

std::optional<QStringList> photo_files(const QStringList& arguments, QString& error) {
    QStringList files;
    for (const QString& argument : arguments) {
        const QString path = QFileInfo(argument).absoluteFilePath();
        if (is_native_folder(path)) {
            const QDir dir(path);
            for (const QString& name : native_file_names(path))
                if (is_jpeg_name(name))
                    files.append(dir.absoluteFilePath(name));
        } else if (is_native_file(path)) {
            files.append(path);
        } else {
            error = QStringLiteral("no such photo or folder: %1").arg(shown_path(argument));
            return std::nullopt;
        }
    }
    files.removeIf([](const QString& file) {
        const QString refusal = refusal_reason(check_photo(file).refusal);
        if (!refusal.isEmpty())
            std::fprintf(stderr, "velmora-make: %s: %s, left out\n", shown_path(file).toUtf8().constData(),
                         refusal.toUtf8().constData());
        return !refusal.isEmpty();
    });
    if (files.isEmpty())
        error = QStringLiteral("no photos to add");
    return files.isEmpty() ? std::nullopt : std::optional<QStringList>(files);
}

std::optional<AlbumArguments> take_album_arguments(QStringList& arguments, QString& error) {
    AlbumArguments taken;
    taken.combination = take_combination(arguments);
    if (taken.combination < 0) {
        error = QStringLiteral("--combination needs a file number from 1");
        return std::nullopt;
    }
    const std::optional<QStringList> lyric_files = take_lyric_files(arguments, error);
    if (!lyric_files)
        return std::nullopt;
    taken.lyric_files = *lyric_files;
    return taken;
}

QString load_catalogue(const DataRoot& root, TemplateCatalogue& catalogue) {
    try {
        load_template_catalogue(root, catalogue);
    } catch (const StartupAbort& e) {
        return QString::fromUtf8(e.what());
    } catch (const DataError& e) {
        return e.message();
    }
    for (const LeftOutTemplate& t : catalogue.left_out)
        std::fprintf(stderr, "velmora-make: warning: the template %s is left out: %s %s\n", t.file.toUtf8().constData(),
                     t.field.toUtf8().constData(), t.reason.toUtf8().constData());
    return {};
}

QString add_photos_with_templates(const DataRoot& root, const TemplateCatalogue& catalogue, QStringList files,
                                  int combination, ScriptedUi& ui, Album& album, AppState& app_state) {
    const SystemSettings settings;
    NoAutoTextEffects effects;
    const RandomPick random = seeded_random_pick(std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
    PhotoList photos(album, app_state, ui, random, effects);
    AssignmentState state;
    state.mobanfashi = AssignmentMode::Random;
    if (combination > 0) {
        const QString refusal = choose_combination(root, combination, state);
        if (!refusal.isEmpty())
            return refusal;
        ui.file_answers = {files};
        QStringList heng_zhao, shu_zhao;
        const auto pending = combination_check(ui, state.required_landscape, state.required_portrait, heng_zhao, shu_zhao);
        if (!pending || pending->isEmpty())
            return QStringLiteral("the photos do not fit combination %1").arg(combination);
        files = *pending;
    }
    const AssignmentServices services{catalogue, settings, ui, root, random};
    const int first_new = int(album.photos.size());
    add_photos_job(photos, files, {[&] { assign_templates(album, first_new, state, services); }, {}});
    // What could not be added or placed was told in the messages.
    if (album.photos.empty())
        return QStringLiteral("none of the photos could be added");
    if (!any_template_complete(album))
        return QStringLiteral("no template could take the photos");
    return {};
}

void print_messages(ScriptedUi& ui, mcl::FrameProgressLine& terminal) {
    ui.on_message = [&terminal](const ScriptedUi::Message& m) { terminal.print_line(m.title + QStringLiteral(": ") + m.text); };
}

} // namespace velmora::batch
