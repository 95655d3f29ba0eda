#include <gtest/gtest.h>

#include <functional>

#include "mapper/model/tests/test_support.h"
#include "mapper/resource_ids.h"

namespace {
class CFixedPrompt : public IPlaneNamePrompt {
public:
    explicit CFixedPrompt(const char* answer) : m_answer(answer) {}
    std::string AskPlaneName(const std::string& current) override
    {
        shown = current;
        return m_answer ? m_answer : current;  // null answer: the user cancels
    }
    std::string shown;

private:
    const char* m_answer;
};

vfw::CCmdUI Update(const CVorMapperDoc& doc, unsigned id)
{
    vfw::CCmdUI ui(id);
    EXPECT_TRUE(doc.OnUpdateCommand(ui));
    return ui;
}
}  // namespace

TEST(Commands, RotationItemsSetExactAngles)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    const std::pair<unsigned, double> expected[] = {
        {ID_ROTATION_45, 0.7853981633974475}, {ID_ROTATION_90, 1.570796326794895},
        {ID_ROTATION_135, 2.3561944901923426}, {ID_ROTATION_180, 3.14159265358979},
        {ID_ROTATION_270, 4.712388980384685},  {ID_ROTATION_360, 0.0},
        {ID_ROTATION_0, 0.0},
    };
    for (auto [id, angle] : expected) {
        doc.m_dRotation = 1.0;
        ASSERT_TRUE(doc.OnCommand(id));
        EXPECT_EQ(doc.m_dRotation, angle) << id;
    }
    EXPECT_EQ(views.hints, std::vector<long>(7, HINT_REDRAW));
    EXPECT_FALSE(doc.IsModified());
}

TEST(Commands, ZoomStepsStopAtTheLimitsAndStillRedraw)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    doc.OnCommand(ID_ZOOM_400);
    doc.OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(doc.m_dZoom, 8.0);
    doc.OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(doc.m_dZoom, 8.0);
    EXPECT_EQ(views.hints.size(), 3u);
    doc.OnCommand(ID_ZOOM_25);
    doc.OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(doc.m_dZoom, 0.125);
    doc.OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(doc.m_dZoom, 0.125);
    doc.OnCommand(ID_ZOOM_12);
    for (int i = 0; i < 3; ++i)
        doc.OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(doc.m_dZoom, 1.0);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Commands, PlaneItemsShowTheirNameAndCheckTheCurrentPlane)
{
    CNewDoc doc;
    doc.SetPlaneName(-2, "Sewers");
    EXPECT_EQ(Update(doc, ID_PLANE_3).m_strText, "[3]Plane 3");
    EXPECT_EQ(Update(doc, ID_PLANE_MINUS2).m_strText, "[-2]Sewers");
    EXPECT_EQ(Update(doc, ID_PLANE_0).m_nCheck, 1);
    EXPECT_EQ(Update(doc, ID_PLANE_1).m_nCheck, 0);

    doc.m_nCurrentPlane = 3;
    CHintRecorder views(doc);
    doc.OnCommand(ID_PLANE_HIGHER);
    EXPECT_EQ(doc.m_nCurrentPlane, 4);
    for (unsigned id = ID_PLANE_MINUS3; id <= ID_PLANE_3; ++id)
        EXPECT_EQ(Update(doc, id).m_nCheck, 0) << id;
    EXPECT_EQ(Update(doc, ID_PLANE_3).m_strText, "[3]Plane 3");
    doc.OnCommand(ID_PLANE_LOWER);
    doc.OnCommand(ID_PLANE_LOWER);
    EXPECT_EQ(doc.m_nCurrentPlane, 2);
    EXPECT_EQ(views.hints, (std::vector<long>{1, 1, 1}));
}

TEST(Commands, ChoosingThePlaneOnViewDoesNothing)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    doc.OnCommand(ID_PLANE_0);
    EXPECT_TRUE(views.hints.empty());
    doc.OnCommand(ID_PLANE_MINUS3);
    EXPECT_EQ(doc.m_nCurrentPlane, -3);
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_PLANE_CHANGED}));
}

TEST(Commands, PlaneStepsWrapAtTheIntegerLimitsInsteadOfOverflowing)
{
    CNewDoc doc;
    doc.m_nCurrentPlane = INT32_MAX;
    doc.OnCommand(ID_PLANE_HIGHER);
    EXPECT_EQ(doc.m_nCurrentPlane, INT32_MIN);
    doc.OnCommand(ID_PLANE_LOWER);
    EXPECT_EQ(doc.m_nCurrentPlane, INT32_MAX);
}

TEST(Commands, RenamePlaneStoresTheTextEvenAfterCancel)
{
    CNewDoc doc;
    doc.m_nCurrentPlane = 2;
    CFixedPrompt cancel(nullptr);
    doc.SetPlaneNamePrompt(&cancel);
    CHintRecorder views(doc);
    doc.OnCommand(ID_EDIT_RENAME_PLANE);
    EXPECT_EQ(cancel.shown, "Plane 2");
    EXPECT_EQ(doc.GetPlaneName(2), "Plane 2");
    ASSERT_NE(doc.GetPlaneNames().Find(2), nullptr);
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_REDRAW}));
    EXPECT_FALSE(doc.IsModified());

    CFixedPrompt rename("Attic");
    doc.SetPlaneNamePrompt(&rename);
    doc.OnCommand(ID_EDIT_RENAME_PLANE);
    EXPECT_EQ(doc.GetPlaneName(2), "Attic");
}

namespace {
// A prompt under which something else happens before it closes.
class CBusyPrompt : public IPlaneNamePrompt {
public:
    CBusyPrompt(std::function<void()> meanwhile, const char* answer) : m_meanwhile(std::move(meanwhile)), m_answer(answer) {}
    std::string AskPlaneName(const std::string& current) override
    {
        shown = current;
        m_meanwhile();
        return m_answer;
    }
    std::string shown;

private:
    std::function<void()> m_meanwhile;
    const char* m_answer;
};
}  // namespace

TEST(Commands, RenamePlaneNamesThePlaneItShowedAndMarksTheMapModified)
{
    CNewDoc doc;
    doc.m_nCurrentPlane = 2;
    doc.SetPlaneName(3, "Roof");
    CBusyPrompt prompt([&] { doc.OnCommand(ID_PLANE_HIGHER); }, "Attic");
    doc.SetPlaneNamePrompt(&prompt);
    doc.OnCommand(ID_EDIT_RENAME_PLANE);
    EXPECT_EQ(prompt.shown, "Plane 2");
    EXPECT_EQ(doc.m_nCurrentPlane, 3);
    EXPECT_EQ(doc.GetPlaneName(2), "Attic");
    EXPECT_EQ(doc.GetPlaneName(3), "Roof");
    EXPECT_TRUE(doc.IsModified());

    // The same name again, as after Cancel: nothing to save.
    doc.SetModifiedFlag(false);
    CFixedPrompt same("Roof");
    doc.SetPlaneNamePrompt(&same);
    doc.OnCommand(ID_EDIT_RENAME_PLANE);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Commands, RenamePlaneStoresNothingInAMapThatReplacedTheOneItShowed)
{
    CNewDoc doc;
    doc.m_nCurrentPlane = 1;
    CBusyPrompt prompt([&] { doc.OnNewDocument(); }, "Attic");
    doc.SetPlaneNamePrompt(&prompt);
    doc.OnCommand(ID_EDIT_RENAME_PLANE);
    EXPECT_EQ(prompt.shown, "Plane 1");
    EXPECT_EQ(doc.GetPlaneNames().size(), 0u);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Commands, ModesAndAutoShift)
{
    CNewDoc doc;
    doc.OnCommand(ID_MODE_EXPLORE);
    EXPECT_FALSE(doc.m_bTrace);
    // The document that runs the two mode commands ticks the one in force.
    EXPECT_EQ(Update(doc, ID_MODE_EXPLORE).m_nCheck, 1);
    EXPECT_EQ(Update(doc, ID_MODE_TRACE).m_nCheck, 0);
    EXPECT_TRUE(Update(doc, ID_MODE_TRACE).m_bEnabled);
    doc.OnCommand(ID_MODE_TRACE);
    EXPECT_TRUE(doc.m_bTrace);
    EXPECT_EQ(Update(doc, ID_MODE_EXPLORE).m_nCheck, 0);
    EXPECT_EQ(Update(doc, ID_MODE_TRACE).m_nCheck, 1);

    EXPECT_FALSE(Update(doc, ID_MODE_AUTOSHIFT).m_bEnabled);
    EXPECT_EQ(Update(doc, ID_MODE_AUTOSHIFT).m_nCheck, 1);
    doc.m_bOnline = true;
    EXPECT_TRUE(Update(doc, ID_MODE_AUTOSHIFT).m_bEnabled);
    CHintRecorder views(doc);
    doc.OnCommand(ID_MODE_AUTOSHIFT);
    EXPECT_FALSE(doc.m_bAutoShift);
    EXPECT_TRUE(views.hints.empty());
    EXPECT_EQ(Update(doc, ID_MODE_AUTOSHIFT).m_nCheck, 0);
}

TEST(Commands, UnknownIdsAreNotHandled)
{
    CNewDoc doc;
    EXPECT_FALSE(doc.OnCommand(1));
    vfw::CCmdUI ui(ID_ZOOM_IN);
    EXPECT_FALSE(doc.OnUpdateCommand(ui));
}
