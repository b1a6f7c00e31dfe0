#include "demo/SqlScript.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SqlScript, SplitsAtSemicolonsOutsideTextsCommentsAndTriggerBodies)
{
    struct Case
    {
        const char16_t* script;
        QStringList statements;
    };
    const Case cases[] = {
        {u"SELECT 1; SELECT 2", {u"SELECT 1"_s, u"SELECT 2"_s}},
        {u"INSERT INTO T VALUES ('a;b', 'it''s; fine');", {u"INSERT INTO T VALUES ('a;b', 'it''s; fine')"_s}},
        {u"CREATE TABLE \"x;y\" (\"c;\" TEXT, [d;] TEXT);",
         {u"CREATE TABLE \"x;y\" (\"c;\" TEXT, [d;] TEXT)"_s}},
        {u"-- a comment; with a semicolon\nSELECT 1; /* another; */ SELECT 2;",
         {u"SELECT 1"_s, u"SELECT 2"_s}},
        {u"SELECT '--not a comment';", {u"SELECT '--not a comment'"_s}},
        {u"CREATE TRIGGER t INSTEAD OF INSERT ON v\nBEGIN\n  INSERT INTO a VALUES (1);\n  INSERT INTO b "
         u"VALUES (2);\nEND;"
         u"\nSELECT 3;",
         {u"CREATE TRIGGER t INSTEAD OF INSERT ON v\nBEGIN\n  INSERT INTO a VALUES (1);\n  INSERT INTO b "
          u"VALUES "
          u"(2);\nEND"_s,
          u"SELECT 3"_s}},
        {u" ;; \n-- only a comment\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SqlScript::split(QString::fromUtf16(c.script)), c.statements)
            << QString::fromUtf16(c.script).toStdString();
}

TEST(SqlScript, EmbeddedScriptsAreThere)
{
    for (const QString& name : {u"schema.sql"_s, u"schema_estadisticas.sql"_s, u"data.sql"_s})
        EXPECT_GE(SqlScript::split(SqlScript::resource(name)).size(), 2) << name.toStdString();
}

} // namespace
