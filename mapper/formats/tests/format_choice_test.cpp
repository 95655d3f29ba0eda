// The formats offered by the Import and Export dialogs and the format of
// the user's choice.
#include <gtest/gtest.h>

#include "mapper/formats/format_choice.h"

namespace {

TEST(FormatChoice, OffersEachFormatThatDoesTheJobThenAllFiles)
{
    for (const bool writing : {false, true}) {
        const CFormatChoice choice(writing);
        const std::vector<CFormatFilter>& filters = choice.Filters();
        ASSERT_GE(filters.size(), 4u);
        EXPECT_EQ(filters.back().m_pFormat, nullptr);
        EXPECT_EQ(filters.back().m_strPatterns, "*.*");
        for (std::size_t i = 0; i + 1 < filters.size(); ++i) {
            const IMapFormat* format = filters[i].m_pFormat;
            ASSERT_NE(format, nullptr);
            EXPECT_TRUE(writing ? format->CanWrite() : format->CanRead()) << format->Name();
            EXPECT_NE(filters[i].m_strDescription.find(format->Description()), std::string::npos);
        }
        EXPECT_EQ(filters[0].m_pFormat, FindMapFormat("vmm"));
    }
    const CFormatChoice import(false);
    for (const CFormatFilter& f : import.Filters())
        if (f.m_pFormat == FindMapFormat("tintin"))
            EXPECT_EQ(f.m_strPatterns, "*.map;*.tin");
}

TEST(FormatChoice, TheExtensionNamesTheFormatElseTheChosenFilterDoes)
{
    const CFormatChoice choice(true);
    const unsigned all = static_cast<unsigned>(choice.Filters().size());
    unsigned mudlet = 0;
    for (unsigned i = 0; i < all; ++i)
        if (choice.Filters()[i].m_pFormat == FindMapFormat("mudlet-json"))
            mudlet = i + 1;
    ASSERT_NE(mudlet, 0u);
    // The extension wins over the filter, in any letter case.
    EXPECT_EQ(choice.Format(mudlet, "C:\\maps\\town.TIN"), FindMapFormat("tintin"));
    EXPECT_EQ(choice.Format(1, "/maps/town.json"), FindMapFormat("mudlet-json"));
    // An extension that names nothing: the filter's format, none for all files.
    EXPECT_EQ(choice.Format(mudlet, "town.txt"), FindMapFormat("mudlet-json"));
    EXPECT_EQ(choice.Format(all, "town.txt"), nullptr);
    EXPECT_EQ(choice.Format(all + 5, "town"), nullptr);
    EXPECT_EQ(choice.Format(0, "town"), nullptr);
}

TEST(FormatChoice, APathWithoutExtensionGetsTheFormats)
{
    const IMapFormat& tintin = *FindMapFormat("tintin");
    EXPECT_EQ(CFormatChoice::WithExtension("C:\\maps\\town", tintin), "C:\\maps\\town.map");
    EXPECT_EQ(CFormatChoice::WithExtension("C:\\maps.d\\town", tintin), "C:\\maps.d\\town.map");
    EXPECT_EQ(CFormatChoice::WithExtension("town.txt", tintin), "town.txt");
}

TEST(FormatChoice, TheMessageListsWhatWasNotCarried)
{
    CFormatReport report;
    EXPECT_EQ(NotCarriedMessage(report, "The import"), "");
    report.NotCarried("special exits", 2, "enter portal");
    report.NotCarried("doors", 1);
    const std::string text = NotCarriedMessage(report, "The import");
    EXPECT_EQ(text.rfind("The import could not carry everything:\n", 0), 0u) << text;
    for (const std::string& line : report.Lines())
        EXPECT_NE(text.find("\n" + line), std::string::npos) << line;
}

}  // namespace
