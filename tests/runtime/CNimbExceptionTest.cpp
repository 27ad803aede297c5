#include "runtime/CNimbException.h"
#include "TestSupport.h"
#include "runtime/CNimbMemoryStream.h"
#include "runtime/TopLevelGuard.h"

#include <gtest/gtest.h>

#include <string>

TEST(CNimbException, DumpEqualityAndStreamForm) {
    CNimbException boom(u"boom");
    CWString out(u"前|");
    boom.DumpToText(out, 0);
    EXPECT_EQ(Units(out), u"前|代码: -1; 描述: boom");
    EXPECT_TRUE(boom.IsEqual(CNimbException(u"other words")));
    EXPECT_FALSE(boom.IsEqual(CNimbException()));
    EXPECT_EQ(CNimbException(nullptr).Code, -1);
    EXPECT_TRUE(CNimbException(nullptr).Message.IsEmpty());

    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    boom.SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.GetData()),
                          static_cast<size_t>(bytes.GetSize())),
              std::string("\xFF\xFF\xFF\xFF\x0A\0\0\0b\0o\0o\0m\0\0\0", 18));
    CNimbMemoryStream source(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&source);
    CNimbException loaded;
    loaded.LoadFromStream(reader);
    EXPECT_EQ(loaded.Code, -1);
    EXPECT_EQ(Units(loaded.Message), u"boom");

    CNimbObject* clone = boom.Clone();
    EXPECT_EQ(Units(static_cast<CNimbException*>(clone)->Message), u"boom");
    CNimbObject::DeleteObject(clone);
    boom.Reset();
    EXPECT_EQ(boom.Code, 0);
    EXPECT_TRUE(boom.Message.IsEmpty());
}

TEST(TopLevelGuard, ANormalRunReturnsItsResult) {
    EXPECT_EQ(RunGuarded([] { return 7; }), 7);
}

TEST(TopLevelGuard, TheRuntimesErrorIsReportedOnceAndEndsTheProcess) {
    EXPECT_EXIT(
        {
            SetRuntimeErrorDisplay(&WriteErrorBox);
            RunGuarded([]() -> int { throw CNimbException(u"载入失败"); });
        },
        ::testing::ExitedWithCode(kExitCodeMinusOne),
        "^运行时异常\\|俘获到异常,代码值为: -1, 描述为: 载入失败#1$");
}

TEST(TopLevelGuard, AnyOtherExceptionIsReportedAsUnmanaged) {
    EXPECT_EXIT(
        {
            SetRuntimeErrorDisplay(&WriteErrorBox);
            RunGuarded([]() -> int { throw 42; });
        },
        ::testing::ExitedWithCode(kExitCodeMinusOne),
        "^运行时异常\\|程序在运行时抛出了未被管理的异常#1$");
}
