#pragma once
// Makes the report statements, written for SQL Server, mean the same on SQLite.
//
// The statements are never edited by hand for the embedded engine; this layer
// bridges the three places where SQLite resolves names differently:
//  - a compound SELECT (UNION ALL) whose ORDER BY names qualified columns of its
//    first part ("Order by 票据.开票日期,票据编号"): SQLite accepts only result
//    columns there, so the compound is wrapped and ordered by the result columns;
//  - an unqualified ORDER BY name that is an output column but also exists in a
//    derived table: SQL Server takes the output column, SQLite calls it ambiguous,
//    so the name is qualified as in the select list;
//  - a column in a join's ON clause: SQL Server resolves it only against the
//    tables joined so far, SQLite against every table of the FROM clause, so a
//    name found in exactly one table joined so far is qualified with it.
// The target type of CONVERT(datetime, '2026-03-01', 120) becomes a text, as SQLite has
// no such type word (the convert function gives the date text back as it is).
// Bracketed identifiers become double-quoted ones ("]]" inside brackets is T-SQL only).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tally::data {

// Columns of a base table (any case); empty when the table is unknown.
using ColumnLookup = std::function<std::vector<std::string>(const std::string& table)>;

std::string rewriteTsqlForSqlite(std::string_view sql, const ColumnLookup& columnsOf);

}  // namespace tally::data
