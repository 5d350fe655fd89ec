#include "transfer/errors/CInstallProfileException.h"
#include "transfer/archive/CMultiFileException.h"
#include "transfer/errors/CXArchiveException.h"
#include "transfer/errors/CXException.h"
#include "transfer/errors/CXFileException.h"
#include "transfer/errors/CXMemoryException.h"
#include "transfer/errors/CXNotSupportedException.h"
#include "transfer/errors/CXResourceException.h"
#include "transfer/errors/CXUserException.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {
// A fake string table: every id loads as "#<id>", except the ids left out on purpose.
std::string FakeLoader(unsigned id)
{
    if (id == 24608)
        return {};
    return "#" + std::to_string(id);
}

class CXExceptionTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetMessageStringLoader(FakeLoader); }
    void TearDown() override { SetMessageStringLoader(previous_); }
    MessageStringLoader previous_ = nullptr;
};

struct Expected {
    std::string title;
    std::string text;
};

Expected Prepared(const CXException& error)
{
    error.PrepareMessages();
    return {CXException::Slots().title, CXException::Slots().text};
}
}  // namespace

TEST_F(CXExceptionTest, ArchiveCodesHaveTheirOwnMessages)
{
    for (int code = 1; code <= 5; ++code) {
        Expected got = Prepared(CMultiFileException(code));
        EXPECT_EQ(got.title, "#" + std::to_string(27648 + 2 * (code - 1))) << "code " << code;
        EXPECT_EQ(got.text, "#" + std::to_string(27649 + 2 * (code - 1))) << "code " << code;
    }
    for (int code : {0, 6, -1, 100}) {
        Expected got = Prepared(CMultiFileException(code));
        EXPECT_EQ(got.title, "#24576") << "code " << code;
        EXPECT_EQ(got.text, "#24577") << "code " << code;
    }
}

TEST_F(CXExceptionTest, FileCausesAndTheFallbackToTheGenericTable)
{
    struct Row { int cause; const char* title; const char* text; } rows[] = {
        {2, "#24590", "#24591"}, {6, "#24598", "#24581"}, {13, "#24609", "#24610"}, {14, "#24611", "#24581"},
        {1, "#24580", "#24581"}, {99, "#24580", "#24581"},
        // 24608 is missing from the fake table: the generic text fills the slot.
        {12, "#24607", "#24577"},
    };
    for (const Row& row : rows) {
        Expected got = Prepared(CXFileException(row.cause));
        EXPECT_EQ(got.title, row.title) << "cause " << row.cause;
        EXPECT_EQ(got.text, row.text) << "cause " << row.cause;
    }
}

TEST_F(CXExceptionTest, EveryClassHasItsNameAndTable)
{
    struct Row { std::unique_ptr<CXException> error; const char* name; const char* title; } rows[] = {
        {std::make_unique<CXException>(), "CXException", "#24576"},
        {std::make_unique<CXMemoryException>(), "CXMemoryException", "#24578"},
        {std::make_unique<CXArchiveException>(3), "CXArchiveException", "#24582"},
        {std::make_unique<CXResourceException>(), "CXResourceException", "#24584"},
        {std::make_unique<CXUserException>(), "CXUserException", "#24586"},
        {std::make_unique<CXNotSupportedException>(), "CXNotSupportedException", "#24588"},
        {std::make_unique<CInstallProfileException>(42), "CInstallProfileException", "#10"},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.error->ClassName(), row.name);
        EXPECT_EQ(Prepared(*row.error).title, row.title) << row.name;
        EXPECT_EQ(row.error->Clone()->ClassName(), std::string(row.name));
    }
    EXPECT_EQ(Prepared(CInstallProfileException(7)).text, "#13");
}

TEST_F(CXExceptionTest, PrepareEmptiesTheSlotsFirst)
{
    CXException::Slots().title = "stale";
    CXException::Slots().extra = 9;
    Prepared(CMultiFileException(5));
    EXPECT_EQ(CXException::Slots().title, "#27656");
    EXPECT_EQ(CXException::Slots().extra, 0u);
    SetMessageStringLoader(nullptr);
    EXPECT_EQ(Prepared(CMultiFileException(5)).title, "");
}

TEST_F(CXExceptionTest, ConvertsFrameworkExceptionsByClass)
{
    struct Row { std::unique_ptr<std::exception> error; const char* name; int cause; };
    std::vector<Row> rows;
    rows.push_back({std::make_unique<CMemoryException>(), "CXMemoryException", 1});
    rows.push_back({std::make_unique<std::bad_alloc>(), "CXMemoryException", 1});
    rows.push_back({std::make_unique<CFileException>(13), "CXFileException", 13});
    rows.push_back({std::make_unique<CArchiveException>(4), "CXArchiveException", 4});
    rows.push_back({std::make_unique<CNotSupportedException>(), "CXNotSupportedException", 1});
    rows.push_back({std::make_unique<CResourceException>(), "CXResourceException", 1});
    rows.push_back({std::make_unique<CUserException>(), "CXUserException", 1});
    rows.push_back({std::make_unique<CFrameworkException>(), "CXException", 1});
    rows.push_back({std::make_unique<std::runtime_error>("x"), "CXException", 1});
    rows.push_back({std::make_unique<CMultiFileException>(5), "CMultiFileException", 5});
    for (const Row& row : rows) {
        auto converted = FromFrameworkException(*row.error);
        EXPECT_STREQ(converted->ClassName(), row.name);
        EXPECT_EQ(converted->cause, row.cause) << row.name;
    }
}

TEST_F(CXExceptionTest, ThrownByValueCaughtByBase)
{
    try {
        throw CMultiFileException(CMultiFileException::corruptTable);
    } catch (const CXException& error) {
        EXPECT_EQ(error.cause, 4);
        EXPECT_STREQ(error.ClassName(), "CMultiFileException");
    }
}
