#include "framework/CWinApp.h"
#include "ui/Questions.h"

#include "DialogAnswerer.h"

#include <gtest/gtest.h>

namespace {

TEST(Questions, AreYouSureIsAYesNoBoxCaptionedWithTheProgramsName)
{
    DialogAnswerer answers;
    answers.Press(IDYES).Press(IDNO);
    EXPECT_TRUE(ConfirmDeletion());
    EXPECT_FALSE(ConfirmDeletion());
    ASSERT_EQ(2u, answers.Seen().size());
    const SeenDialog& box = answers.Seen()[0];
    EXPECT_TRUE(box.Shows("Are you sure?"));
    EXPECT_TRUE(box.Shows("&Yes"));
    EXPECT_TRUE(box.Shows("&No"));
    EXPECT_FALSE(box.Shows("Cancel"));
    // With no application object, the program's name is its file's.
    EXPECT_EQ("ui_tests", box.caption);
}

TEST(Questions, TheApplicationNameComesFromTheExecutableUnlessGiven)
{
    DialogAnswerer answers;
    answers.Press(IDYES).Press(IDYES);
    {
        CWinApp unnamed;
        EXPECT_EQ("ui_tests", AfxGetAppName());
        ConfirmDeletion();
    }
    {
        CWinApp named("Bootwise");
        EXPECT_EQ("Bootwise", AfxGetAppName());
        ConfirmDeletion();
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ("ui_tests", answers.Seen()[0].caption);
    EXPECT_EQ("Bootwise", answers.Seen()[1].caption);
}

TEST(Questions, ReplaceAndRefusalBoxes)
{
    DialogAnswerer answers;
    answers.Press(IDYES).Press(IDNO).Press(IDOK);
    EXPECT_TRUE(ConfirmReplace("Editor"));
    EXPECT_FALSE(ConfirmReplace("Editor"));
    ExplainRefusal("Not like that.");
    EXPECT_TRUE(answers.Seen()[0].Shows("A shortcut named \"Editor\" already exists.\nDo you want to replace it?"));
    EXPECT_TRUE(answers.Seen()[2].Shows("Not like that."));
    EXPECT_EQ(0, answers.Unexpected());
}

} // namespace
