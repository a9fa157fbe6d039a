// Interning, ids and strings of atoms.
#include <gtest/gtest.h>

#include "core/QxAtom.h"

#include <map>
#include <set>

TEST(QxAtom, NullAtom)
{
    EXPECT_TRUE(QxAtom().isNull());
    EXPECT_TRUE(QxAtom(wxString()).isNull());
    EXPECT_TRUE(QxAtom("").isNull());
    EXPECT_TRUE(QxAtom(static_cast<const char*>(nullptr)).isNull());
    EXPECT_TRUE(QxAtom::nullAtom().isNull());
    EXPECT_EQ(&QxAtom::nullAtom(), &QxAtom::nullAtom());
    EXPECT_EQ(QxAtom().string(), wxString());
    EXPECT_EQ(static_cast<unsigned>(QxAtom()), 0u);
}

TEST(QxAtom, IdsCountUpInOrderOfFirstInterning)
{
    // Other tests of this process may have interned names already.
    const unsigned before = static_cast<unsigned>(QxAtomTable::get().size());
    QxAtom first(wxString("atom-order-first"));
    QxAtom second("atom-order-second");
    QxAtom firstAgain("atom-order-first");
    QxAtom upper("ATOM-ORDER-FIRST");
    EXPECT_EQ(first.id(), before + 1);
    EXPECT_EQ(second.id(), before + 2);
    EXPECT_EQ(firstAgain, first);
    EXPECT_EQ(upper.id(), before + 3); // case matters
    EXPECT_EQ(QxAtomTable::get().size(), before + 3);

    // Ordered containers follow interning order, not the strings' order.
    std::set<QxAtom> ordered{upper, second, first};
    std::vector<QxAtom> seen(ordered.begin(), ordered.end());
    EXPECT_EQ(seen, (std::vector<QxAtom>{first, second, upper}));
}

TEST(QxAtom, RoundTripAndUnknownIds)
{
    const wxString texts[] = {"EMA", "com.Corvane.Trendoria.trddb", wxString::FromUTF8("Zürich"),
                              " padded "};
    for (const wxString& text : texts) {
        QxAtom atom(text);
        EXPECT_FALSE(atom.isNull());
        EXPECT_EQ(atom.string(), text);
        EXPECT_EQ(static_cast<wxString>(atom), text);
        EXPECT_EQ(QxAtom(atom.id()), atom);
        EXPECT_EQ(QxAtom(atom.id()).string(), text);
        EXPECT_TRUE(atom == text);
        EXPECT_FALSE(atom != text);
    }
    const unsigned unused = static_cast<unsigned>(QxAtomTable::get().size()) + 7;
    EXPECT_EQ(QxAtom(unused).string(), wxString());
    EXPECT_FALSE(QxAtom(unused).isNull());

    // Comparing with text interns nothing.
    const size_t before = QxAtomTable::get().size();
    EXPECT_FALSE(QxAtom("EMA") == "atom-never-interned");
    EXPECT_EQ(QxAtomTable::get().size(), before);
}
