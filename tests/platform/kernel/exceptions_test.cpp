#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/exceptions.h"

#include <cerrno>
#include <string>
#include <vector>

namespace {

// Records its own destruction, so tests can see who deleted it.
class CCountedException : public CException {
public:
    explicit CCountedException(int* pDeleted) : m_pDeleted(pDeleted) {}
    ~CCountedException() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};

template <class Thrower>
CException* catchFrom(Thrower thrower)
{
    try {
        thrower();
    } catch (CException* e) {
        return e;
    }
    return nullptr;
}

// Routes ReportError into a list for the test's lifetime.
class ReportRecorder {
public:
    ReportRecorder()
    {
        m_previous = mivo::SetExceptionReporter([this](const char* text) { m_reports.push_back(text); });
    }
    ~ReportRecorder() { mivo::SetExceptionReporter(m_previous); }
    std::vector<std::string> m_reports;

private:
    std::function<void(const char*)> m_previous;
};

}  // namespace

TEST(Exceptions, ThrowersThrowTheirClassByPointer)
{
    struct Case {
        void (*thrower)();
        CRuntimeClass* expected;
    };
    const Case cases[] = {
        {AfxThrowMemoryException, RUNTIME_CLASS(CMemoryException)},
        {AfxThrowInvalidArgException, RUNTIME_CLASS(CInvalidArgException)},
        {AfxThrowNotSupportedException, RUNTIME_CLASS(CNotSupportedException)},
        {AfxThrowResourceException, RUNTIME_CLASS(CResourceException)},
        {AfxThrowUserException, RUNTIME_CLASS(CUserException)},
        {[] { AfxThrowFileException(CFileException::diskFull); }, RUNTIME_CLASS(CFileException)},
        {[] { AfxThrowArchiveException(CArchiveException::badClass); }, RUNTIME_CLASS(CArchiveException)},
    };
    for (const Case& c : cases) {
        CException* e = catchFrom(c.thrower);
        ASSERT_NE(nullptr, e) << c.expected->m_lpszClassName;
        EXPECT_EQ(c.expected, e->GetRuntimeClass());
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
}

TEST(Exceptions, CatchByDerivedPointer)
{
    try {
        AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "사진.jpg");
    } catch (CMemoryException* e) {
        e->Delete();
        FAIL() << "wrong handler";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, e->m_lOsError);
        EXPECT_STREQ("사진.jpg", e->m_strFileName);
        e->Delete();
    }
}

TEST(Exceptions, MemoryExceptionIsOneStaticObject)
{
    CException* first = catchFrom(AfxThrowMemoryException);
    first->Delete();  // does nothing: the object is static
    CException* second = catchFrom(AfxThrowMemoryException);
    EXPECT_EQ(first, second);
    EXPECT_FALSE(second->m_bAutoDelete);
    second->Delete();
}

TEST(Exceptions, DeleteFreesOnlyAutoDeleteObjects)
{
    int deleted = 0;
    CException* onHeap = new CCountedException(&deleted);
    onHeap->Delete();
    EXPECT_EQ(1, deleted);

    {
        CCountedException onStack(&deleted);
        onStack.m_bAutoDelete = FALSE;
        onStack.Delete();
        EXPECT_EQ(1, deleted);
    }
    EXPECT_EQ(2, deleted);
}

TEST(Exceptions, CatchMacrosDeleteAtEndCatch)
{
    int deleted = 0;
    int handler = 0;
    TRY
    {
        THROW(new CCountedException(&deleted));
    }
    CATCH(CFileException, e)
    {
        handler = 1;
    }
    AND_CATCH(CException, e)
    {
        handler = 2;
        EXPECT_EQ(0, deleted);
    }
    END_CATCH
    EXPECT_EQ(2, handler);
    EXPECT_EQ(1, deleted);
}

TEST(Exceptions, ThrowLastPassesTheSameObjectOn)
{
    int deleted = 0;
    CException* thrown = new CCountedException(&deleted);
    CException* caughtOutside = nullptr;
    try {
        TRY
        {
            THROW(thrown);
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        caughtOutside = e;
    }
    EXPECT_EQ(thrown, caughtOutside);
    EXPECT_EQ(0, deleted);
    caughtOutside->Delete();
    EXPECT_EQ(1, deleted);
}

TEST(Exceptions, OsErrorToExceptionMapping)
{
    struct Case {
        LONG osError;
        int cause;
    };
    const Case cases[] = {
        {ERROR_SUCCESS, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_INVALID_HANDLE, CFileException::fileNotFound},
        {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
        {ERROR_INVALID_NAME, CFileException::badPath},
        {ERROR_BAD_FORMAT, CFileException::invalidFile},
        {ERROR_NOT_READY, CFileException::hardIO},
        {ERROR_INVALID_PARAMETER, CFileException::genericException},
        {123456, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.osError)) << c.osError;

    EXPECT_EQ(CFileException::fileNotFound, CFileException::ErrnoToException(ENOENT));
    EXPECT_EQ(CFileException::accessDenied, CFileException::ErrnoToException(EACCES));
    EXPECT_EQ(CFileException::diskFull, CFileException::ErrnoToException(ENOSPC));
    EXPECT_EQ(CFileException::genericException, CFileException::ErrnoToException(EPROTO));
}

TEST(Exceptions, ThrowOsErrorThrowsOnlyOnFailure)
{
    EXPECT_NO_THROW(CFileException::ThrowOsError(0, "a.txt"));
    EXPECT_NO_THROW(CFileException::ThrowErrno(0));
    CException* e = catchFrom([] { CFileException::ThrowOsError(ERROR_ACCESS_DENIED, "C:\\자료\\a.txt"); });
    CFileException* fe = DYNAMIC_DOWNCAST(CFileException, e);
    ASSERT_NE(nullptr, fe);
    EXPECT_EQ(CFileException::accessDenied, fe->m_cause);
    EXPECT_EQ(ERROR_ACCESS_DENIED, fe->m_lOsError);
    EXPECT_STREQ("C:\\자료\\a.txt", fe->m_strFileName);
    fe->Delete();

    e = catchFrom([] { CFileException::ThrowErrno(ENOENT, "b.txt"); });
    fe = DYNAMIC_DOWNCAST(CFileException, e);
    ASSERT_NE(nullptr, fe);
    EXPECT_EQ(CFileException::fileNotFound, fe->m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, fe->m_lOsError);
    fe->Delete();
}

TEST(Exceptions, ErrorMessagesNameTheFileAndKeepCharactersWhole)
{
    CFileException named(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "사진.jpg");
    char buffer[256];
    UINT help = 99;
    ASSERT_TRUE(named.GetErrorMessage(buffer, sizeof(buffer), &help));
    EXPECT_STREQ("사진.jpg을(를) 찾을 수 없습니다.", buffer);
    EXPECT_EQ(0u, help);

    // "사진" is two double-byte characters: a 4-byte buffer keeps only the first.
    ASSERT_TRUE(named.GetErrorMessage(buffer, 4));
    EXPECT_STREQ("사", buffer);

    CFileException unnamed(CFileException::diskFull);
    ASSERT_TRUE(unnamed.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_NE(nullptr, strstr(buffer, "이름 없는 파일"));

    CFileException strange(1000);
    EXPECT_TRUE(strange.GetErrorMessage(buffer, sizeof(buffer)));

    CMemoryException memory;
    ASSERT_TRUE(memory.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ("메모리가 부족합니다.", buffer);

    CUserException user;
    EXPECT_FALSE(user.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
}

TEST(Exceptions, ReportErrorGoesToTheReporter)
{
    ReportRecorder recorder;
    CInvalidArgException invalid;
    EXPECT_EQ(1, invalid.ReportError());
    CUserException user;
    user.ReportError();
    ASSERT_EQ(2u, recorder.m_reports.size());
    EXPECT_EQ("잘못된 인수가 사용되었습니다.", recorder.m_reports[0]);
    EXPECT_FALSE(recorder.m_reports[1].empty());
}
