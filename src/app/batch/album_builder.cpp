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
#include "effects/effect_catalogue.h"
#include "effects/picture_combinations.h"
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

// "--OPTION VALUE" taken out of `arguments`; nothing when absent, an empty text for a missing value.
std::optional<QString> take_value(QStringList& arguments, const QString& option) {
    const qsizetype i = arguments.indexOf(option);
    if (i < 0)
        return std::nullopt;
    const QString value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
    arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
    return value;
}

QString take_effect_arguments(QStringList& arguments, AlbumArguments& taken) {
    if (const auto text = take_value(arguments, QStringLiteral("--text-effects"))) {
        if (*text != QLatin1String("auto") && *text != QLatin1String("none"))
            return QStringLiteral("--text-effects must be auto or none, not %1").arg(*text);
        taken.text_effects = *text == QLatin1String("auto");
    }
    if (const auto picture = take_value(arguments, QStringLiteral("--picture-effects"))) {
        if (*picture != QLatin1String("none") && !picture_combination_categories().contains(*picture))
            return QStringLiteral("--picture-effects must be none or one of %1, not %2")
                .arg(picture_combination_categories().join(QStringLiteral(", ")), *picture);
        if (*picture != QLatin1String("none"))
            taken.picture_effects = *picture;
    }
    if (const auto seed = take_value(arguments, QStringLiteral("--seed"))) {
        bool ok = false;
        const qulonglong n = seed->toULongLong(&ok);
        if (!ok || n > 0xFFFFFFFFull)
            return QStringLiteral("--seed needs a whole number from 0 to 4294967295, not %1").arg(*seed);
        taken.seed = std::uint32_t(n);
    }
    return {};
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
    error = take_effect_arguments(arguments, taken);
    if (!error.isEmpty())
        return std::nullopt;
    return taken;
}

RandomPick AlbumArguments::random() const {
    return seeded_random_pick(seed ? *seed : std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
}

bool any_effect_installed(const DataRoot& root) {
    return !list_picture_effects(root).ids.empty() || !list_text_effects(root, 0).ids.empty();
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
                                  const AlbumArguments& arguments, const RandomPick& random, ScriptedUi& ui,
                                  Album& album, AppState& app_state, AlbumEffects& effects) {
    const int combination = arguments.combination;
    const SystemSettings settings;
    PhotoList photos(album, app_state, ui, random, effects.text);
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
    AutoEffectChoice choice{arguments.text_effects, arguments.picture_effects};
    if ((choice.text || choice.picture) && !any_effect_installed(root)) {
        std::fprintf(stderr, "velmora-make: no effect is installed in %s: the album is made without effects\n",
                     shown_path(root.path()).toUtf8().constData());
        choice = {false, std::nullopt};
    }
    // A fixed tag time keeps a seeded run's lists the same from one run to the next.
    const AutoEffectServices effect_services{root, catalogue, random, [&arguments] {
        return arguments.seed ? QTime(0, 0) : QTime::currentTime();
    }};
    // Refused effect definitions are named on standard error where they are read.
    const auto place_effects = [&](Album& placed) {
        run_automatic_effects(choice, placed, effects, effect_services, app_state);
    };
    const AssignmentServices services{catalogue, settings, ui, root, random, place_effects};
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
