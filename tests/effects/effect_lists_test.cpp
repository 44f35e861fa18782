#include <gtest/gtest.h>

#include "effects/effect_album.h"
#include "core/scripted_ui.h"
#include "effects/text_effect_lists.h"
#include "templates/template_management.h"

namespace velmora {
namespace {

TextEffectEntry automatic(const QString& tag, int row, int offset) {
    TextEffectEntry e;
    e.frame_count = 50;
    e.name = tag + QLatin1Char('@') + QString::number(offset);
    e.auto_tag = tag;
    e.template_row = row;
    e.frame_offset = offset;
    e.added_by = EffectAddedBy::Automatic;
    return e;
}

TextEffectEntry by_hand(const QString& name) {
    TextEffectEntry e;
    e.name = name;
    e.start = QStringLiteral("00:00:07");
    return e;
}

// Tags the slots of used template `row` and adds one automatic effect per offset.
void place(test::EffectAlbum& a, TextEffectLists& lists, int row, std::initializer_list<int> offsets) {
    const QString tag = QStringLiteral("120000_%1").arg(row);
    for (SlotRow& slot : a.album.slot_rows)
        if (slot.used_row == row)
            slot.effect_mark = tag;
    for (int offset : offsets)
        lists.table().append(automatic(tag, row, offset));
}

QStringList names(const TextEffectTable& t) {
    QStringList out;
    for (const EffectViewRow& row : t.view())
        out << QString::number(row.position) + QLatin1Char(' ') + row.name + QLatin1Char(' ') + row.start;
    return out;
}

TEST(TextEffectLists, DeletingKeepsListAndViewAlignedAndRenumbered) {
    test::EffectAlbum a({{}});
    TextEffectLists lists(a.album, a.catalogue);
    for (const char* n : {"a", "b", "c"})
        lists.table().append(by_hand(QString::fromUtf8(n)));
    lists.delete_row(1);
    lists.delete_row(7);
    ASSERT_EQ(lists.table().size(), 2);
    EXPECT_EQ(names(lists.table()), (QStringList{"1 a 00:00:07", "2 c 00:00:07"}));
    for (int i = 0; i < lists.table().size(); ++i)
        EXPECT_EQ(lists.table().view_row(i).name, lists.table().at(i).name);
}

TEST(TextEffectLists, TemplateTagLeavesItsSlotsOnlyWithTheLastEffectCarryingIt) {
    test::EffectAlbum a({{.slot_count = 2}, {.slot_count = 1}});
    TextEffectLists lists(a.album, a.catalogue);
    place(a, lists, 0, {10, 20, 30});
    place(a, lists, 1, {5});
    lists.delete_row(0);
    lists.delete_row(0);
    EXPECT_EQ(a.album.slot_rows[0].effect_mark, QStringLiteral("120000_0")) << "one effect still carries the tag";
    lists.delete_row(0);
    EXPECT_TRUE(a.album.slot_rows[0].effect_mark.isEmpty());
    EXPECT_TRUE(a.album.slot_rows[1].effect_mark.isEmpty());
    EXPECT_EQ(a.album.slot_rows[2].effect_mark, QStringLiteral("120000_1")) << "another template keeps its tag";
}

TEST(TextEffectLists, SelectiveAndPhotoDeletionsTakeTheirRows) {
    test::EffectAlbum a({{}, {}});
    TextEffectLists lists(a.album, a.catalogue);
    place(a, lists, 0, {1});
    lists.table().append(by_hand(QStringLiteral("hand")));
    place(a, lists, 1, {2});
    EXPECT_TRUE(lists.any_automatic());
    lists.remove_marked({QStringLiteral("120000_1")});
    EXPECT_EQ(lists.table().size(), 2);
    EXPECT_EQ(lists.delete_added_by(EffectAddedBy::Hand), 1);
    EXPECT_EQ(lists.delete_added_by(EffectAddedBy::Automatic), 1);
    EXPECT_TRUE(lists.table().empty());
    EXPECT_TRUE(a.album.slot_rows[0].effect_mark.isEmpty());
}

TEST(TextEffectLists, RetimingFollowsTheMatchedTemplatesInOrder) {
    test::EffectAlbum a({{.frames = 300}, {.frames = 200, .complete = false}, {.frames = 500}, {.frames = 1000}});
    TextEffectLists lists(a.album, a.catalogue);
    place(a, lists, 0, {25});
    place(a, lists, 2, {100});
    place(a, lists, 3, {0});
    lists.table().append(by_hand(QStringLiteral("hand")));
    lists.retime();
    // Unmatched templates add nothing: 0 + 25, 300 + 100, 800 + 0.
    EXPECT_EQ(names(lists.table()), (QStringList{"1 120000_0@25 00:00:01", "2 120000_2@100 00:00:16",
                                                 "3 120000_3@0 00:00:32", "4 hand 00:00:07"}));

    // The first template is deleted in template management: its effects go with it; the later
    // ones move up and start earlier.
    ScriptedUi ui;
    ui.default_confirm = true;
    const AppState state;
    const BackgroundPool pool;
    const SystemSettings settings;
    TemplateManagement management(TemplateManagementServices{a.album, a.catalogue, settings, ui, DataRoot(QString()), state,
                                                             pool, [](int) { return 0; }, &lists});
    ASSERT_TRUE(management.delete_used(0));
    EXPECT_EQ(names(lists.table()), (QStringList{"1 120000_2@100 00:00:04", "2 120000_3@0 00:00:20",
                                                 "3 hand 00:00:07"}));
    EXPECT_EQ(lists.table().at(0).template_row, 1);
}

} // namespace
} // namespace velmora
