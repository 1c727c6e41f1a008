#include <gtest/gtest.h>

#include "DbError.h"
#include "OdbcConnectionString.h"
#include "SqlText.h"

using namespace tally::data;

TEST(SqlText, QuotesAreDoubledSoValuesStayValues) {
    EXPECT_EQ(escapeSqlText("O'Brien"), "O''Brien");
    EXPECT_EQ(sqlTextLiteral("01' Or '1'='1"), "'01'' Or ''1''=''1'");
    EXPECT_EQ(sqlTextList({"A", "B'"}), "'A','B'''");
    EXPECT_EQ(sqlTextList({}), "");
}

TEST(SqlText, IdentifiersAreBracketedWithClosingBracketsDoubled) {
    EXPECT_EQ(sqlIdentifier("停车费 月租"), "[停车费 月租]");
    EXPECT_EQ(sqlIdentifier("a]b"), "[a]]b]");
}

TEST(OdbcConnectionString, ValuesCannotAddAttributes) {
    EXPECT_EQ(odbcAttributeValue("secret"), "secret");
    EXPECT_EQ(odbcAttributeValue("a;DATABASE=master"), "{a;DATABASE=master}");
    EXPECT_EQ(odbcAttributeValue("x}y"), "{x}}y}");
    EXPECT_EQ(odbcAttributeValue("it's \"q\""), "{it's \"q\"}");
}

TEST(OdbcConnectionString, AValueWithANulIsRefused) {
    // the driver manager would stop reading at the NUL and drop ApplicationIntent=ReadOnly
    using namespace std::string_literals;
    EXPECT_THROW(freeTdsConnectionString("sa", "pw\0;x"s, "fees", "host"), DbError);
    EXPECT_THROW(freeTdsConnectionString("s\0a"s, "", "fees", "host"), DbError);
    EXPECT_THROW(withCredentials("DSN=fees\0"s, "sa", "pw"), DbError);
    EXPECT_THROW(withCredentials("DSN=fees", "", "\0"s), DbError);
    EXPECT_NO_THROW(freeTdsConnectionString("sa", "", "fees", "host"));
}

TEST(OdbcConnectionString, FreeTdsServerForms) {
    std::string s = freeTdsConnectionString("sa", "p;w{d}", "物业", "db.local\\SQLEXPRESS");
    EXPECT_NE(s.find("SERVER=db.local\\SQLEXPRESS;"), std::string::npos) << s;
    EXPECT_NE(s.find("PWD={p;w{d}}}"), std::string::npos) << s;
    EXPECT_NE(s.find("DATABASE=物业"), std::string::npos) << s;
    std::string withPort = freeTdsConnectionString("sa", "", "fees", "10.1.2.3,1433");
    EXPECT_NE(withPort.find("SERVER=10.1.2.3;PORT=1433"), std::string::npos) << withPort;
}

TEST(OdbcConnectionString, CredentialsAreAppendedQuoted) {
    EXPECT_EQ(withCredentials("DSN=fees", "u", "p=1"), "DSN=fees;UID=u;PWD={p=1};");
    EXPECT_EQ(withCredentials("DSN=fees;", "", ""), "DSN=fees;");
}
