#include "TestSupport.h"
#include "sys/win/rg_JiTongCPUXinXiLei.h"

#include <gtest/gtest.h>

#include "runtime/win/Win32.h"

#include <objbase.h>

#include <thread>

using namespace rg_nimb_JiTongCaoZuoZhiChiKu;

namespace {

// The UI thread initialises COM at start-up and keeps it; the queries rely on that.
class WmiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { ::CoUninitialize(); }
};

} // namespace

TEST_F(WmiTest, TheFirstProcessorAndDiskDrive) {
    rg_JiTongCPUXinXiLei cpu;
    CWmiResultHolder::Fill(cpu, rg_wmi_processor);
    const CWString name = rg_wmi_text_property(cpu.GetPayload(), u"Name");
    EXPECT_FALSE(name.IsEmpty());
    EXPECT_GE(rg_wmi_integer_property(cpu.GetPayload(), u"NumberOfCores", 32), 1u);
    EXPECT_EQ(rg_wmi_integer_property(cpu.GetPayload(), u"NumberOfCores", 16),
              rg_wmi_integer_property(cpu.GetPayload(), u"NumberOfCores", 32) & 0xFFFF);
    EXPECT_EQ(rg_wmi_integer_property(cpu.GetPayload(), u"Name", 32), 0u); // a text is no integer
    EXPECT_EQ(rg_wmi_integer_property(cpu.GetPayload(), u"LoadPercentage", 32), 0u);

    rg_JiTongYingPanXinXiLei disk;
    CWmiResultHolder::Fill(disk, rg_wmi_disk_drive);
    EXPECT_FALSE(rg_wmi_text_property(disk.GetPayload(), u"Model").IsEmpty());
    EXPECT_TRUE(rg_wmi_text_property(disk.GetPayload(), u"Version").IsEmpty()); // no such property
    EXPECT_TRUE(rg_wmi_text_property(disk.GetPayload(), u"NoSuchProperty").IsEmpty());
}

TEST_F(WmiTest, NextAdvancesToTheEndAndStaysThere) {
    CWmiPayload* payload = new CWmiPayload();
    payload->Data.ResultSet.Reset(rg_wmi_query(rg_wmi_processor));
    ASSERT_NE(payload->Data.ResultSet.Get(), nullptr);
    int objects = 0;
    while (rg_wmi_next(*payload) == 1)
        ++objects;
    EXPECT_GE(objects, 1);
    EXPECT_EQ(payload->Data.Current.Get(), nullptr);
    EXPECT_TRUE(rg_wmi_text_property(*payload, u"Name").IsEmpty());
    EXPECT_EQ(rg_wmi_integer_property(*payload, u"NumberOfCores", 32), 0u);
    EXPECT_EQ(rg_wmi_next(*payload), 0);
    payload->Release();

    CWmiPayload empty;
    EXPECT_EQ(rg_wmi_next(empty), 0);
    EXPECT_STREQ(empty.GetClassInfo().Name, "CRefObject");
    EXPECT_EQ(rg_wmi_query(5), nullptr);
    EXPECT_EQ(rg_wmi_query(-1), nullptr);
}

TEST_F(WmiTest, PropertiesCanBeReadOnAnotherThread) {
    rg_JiTongCPUXinXiLei cpu;
    CWmiResultHolder::Fill(cpu, rg_wmi_processor);
    const CWString here = rg_wmi_text_property(cpu.GetPayload(), u"Name");
    CWString there;
    uint32_t cores = 0;
    std::thread worker([&] {
        there = rg_wmi_text_property(cpu.GetPayload(), u"Name");
        cores = rg_wmi_integer_property(cpu.GetPayload(), u"NumberOfCores", 32);
    });
    worker.join();
    EXPECT_EQ(Units(there), Units(here));
    EXPECT_EQ(cores, rg_wmi_integer_property(cpu.GetPayload(), u"NumberOfCores", 32));
}

TEST(WmiResultHolder, CopiesShareOnePayloadAndReleaseItInBalance) {
    rg_JiTongCPUXinXiLei a;
    CWmiPayload* first = &a.GetPayload();
    EXPECT_EQ(first->GetRefCount(), 1);

    CNimbObject* clone = a.Clone();
    EXPECT_EQ(first->GetRefCount(), 2);
    EXPECT_TRUE(clone->IsEqual(a));
    EXPECT_FALSE(rg_JiTongCPUXinXiLei().IsEqual(rg_JiTongCPUXinXiLei())); // two fresh payloads
    EXPECT_FALSE(a.IsEqual(rg_JiTongYingPanXinXiLei()));

    rg_JiTongCPUXinXiLei b;
    first->AddRef(); // keep it observable
    ASSERT_TRUE(b.AssignFrom(a));
    EXPECT_EQ(&b.GetPayload(), first);
    EXPECT_EQ(first->GetRefCount(), 4);
    EXPECT_FALSE(b.AssignFrom(rg_JiTongYingPanXinXiLei()));
    ASSERT_TRUE(b.AssignFrom(b));
    EXPECT_EQ(first->GetRefCount(), 4);

    // Reset gives b a fresh payload; the shared one stays with the others.
    b.Reset();
    EXPECT_NE(&b.GetPayload(), first);
    EXPECT_EQ(b.GetPayload().GetRefCount(), 1);
    EXPECT_EQ(first->GetRefCount(), 3);
    CNimbObject::DeleteObject(clone);
    EXPECT_EQ(first->GetRefCount(), 2);
    EXPECT_FALSE(first->Release());
    EXPECT_EQ(first->GetRefCount(), 1); // a's own

    CNimbObject* made = rg_JiTongYingPanXinXiLei::ClassRecord().Factory();
    EXPECT_EQ(static_cast<rg_JiTongYingPanXinXiLei*>(made)->GetPayload().GetRefCount(), 1);
    EXPECT_STREQ(made->GetClassInfo().Name,
                 "rg_nimb_JiTongCaoZuoZhiChiKu::rg_JiTongYingPanXinXiLei");
    CNimbObject::DeleteObject(made);
}
