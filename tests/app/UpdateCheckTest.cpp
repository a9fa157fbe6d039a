// The update check against a server on 127.0.0.1 answering "/buildId":
// equal, newer and older builds, garbage, HTTP errors, an unreachable
// address and a server that never answers, silent and not.
#include "app/QxUpdateCheck.h"
#include "core/platform/QxServiceAddress.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

using namespace QxUpdateCheck;
using TestSupport::HttpReply;
using TestSupport::HttpRequest;
using TestSupport::TestHttpServer;

namespace {

// Records what the user would have seen.
class RecordingPrompts : public Prompts {
public:
    explicit RecordingPrompts(bool acceptDownload) : m_accept(acceptDownload) {}
    void reportFailure() override { shown.push_back("failure"); }
    void reportUpToDate() override { shown.push_back("up to date"); }
    bool offerDownload() override
    {
        shown.push_back("offer");
        return m_accept;
    }
    void openPage(const std::string& url) override { opened.push_back(url); }

    std::vector<std::string> shown;
    std::vector<std::string> opened;

private:
    bool m_accept;
};

QxHttpOptions quick()
{
    QxHttpOptions o = requestOptions();
    o.connectTimeoutMs = 1000;
    o.totalTimeoutMs = 1000;
    return o;
}

// Serves whatever the test put in `answer` at /buildId.
class UpdateCheckTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()); }

    void setAnswer(HttpReply reply)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_answer = std::move(reply);
    }

    TestHttpServer server{[this](const HttpRequest& r) {
        if (r.path != "/buildId")
            return HttpReply::text("no such page", 404);
        std::lock_guard<std::mutex> lock(m_lock);
        return m_answer;
    }};

private:
    std::mutex m_lock;
    HttpReply m_answer;
};

} // namespace

TEST(UpdateCheck, BuildIdParsing)
{
    const struct {
        const char* text;
        bool ok;
        unsigned long value;
    } cases[] = {
        {"1411091401", true, 1411091401UL},
        {"  1411091402\r\n", true, 1411091402UL},
        {"\xEF\xBB\xBF" "7\n", true, 7},
        {"0", true, 0},
        {"abc", false, 0},
        {"", false, 0},
        {"  \n", false, 0},
        {"-1", false, 0},
        {"+5", false, 0},
        {"12 34", false, 0},
        {"1411091402abc", false, 0},
        {"0x10", false, 0},
        {"99999999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        unsigned long v = 12345;
        EXPECT_EQ(parseBuildId(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(UpdateCheck, ReactionsSilentAndNot)
{
    const struct {
        Outcome outcome;
        Reaction loud, silent;
    } cases[] = {
        {Outcome::eFailed, Reaction::eReportFailure, Reaction::eNothing},
        {Outcome::eUpToDate, Reaction::eReportUpToDate, Reaction::eNothing},
        {Outcome::eNewer, Reaction::eOfferDownload, Reaction::eOfferDownload},
        {Outcome::eUnreadable, Reaction::eNothing, Reaction::eNothing},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reaction(c.outcome, false), c.loud) << int(c.outcome);
        EXPECT_EQ(reaction(c.outcome, true), c.silent) << int(c.outcome);
    }
}

TEST_F(UpdateCheckTest, AnswersOfTheServer)
{
    const std::string newer = std::to_string(kOwnBuildId + 1);
    const std::string older = std::to_string(kOwnBuildId - 1);
    const struct {
        const char* name;
        HttpReply reply;
        Outcome outcome;
        std::vector<std::string> loud, silent;
    } cases[] = {
        {"equal build", HttpReply::text("1411091401"), Outcome::eUpToDate, {"up to date"}, {}},
        {"older build", HttpReply::text(older + "\n"), Outcome::eUpToDate, {"up to date"}, {}},
        {"newer build", HttpReply::text(newer + "\n"), Outcome::eNewer, {"offer"}, {"offer"}},
        {"garbage", HttpReply::text("abc"), Outcome::eUnreadable, {}, {}},
        {"html page", HttpReply::text("<html>1411091402</html>"), Outcome::eUnreadable, {}, {}},
        {"empty answer", HttpReply::text(""), Outcome::eFailed, {"failure"}, {}},
        {"server error", HttpReply::text("1411091402", 500), Outcome::eFailed, {"failure"}, {}},
        {"closed without answer", HttpReply::close(), Outcome::eFailed, {"failure"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setAnswer(c.reply);
        const Result result = query(server.baseUrl(), quick());
        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == Outcome::eNewer) {
            EXPECT_EQ(result.latestBuild, kOwnBuildId + 1);
        }

        RecordingPrompts loud(false), silent(false);
        run(false, loud, server.baseUrl(), quick());
        run(true, silent, server.baseUrl(), quick());
        EXPECT_EQ(loud.shown, c.loud);
        EXPECT_EQ(silent.shown, c.silent);
        EXPECT_TRUE(loud.opened.empty());
    }
    for (const HttpRequest& r : server.requests()) {
        EXPECT_EQ(r.method, "GET");
        EXPECT_EQ(r.target, "/buildId");
    }
}

TEST_F(UpdateCheckTest, AcceptingTheOfferOpensTheDownloadPage)
{
    setAnswer(HttpReply::text(std::to_string(kOwnBuildId + 1)));
    RecordingPrompts yes(true);
    EXPECT_EQ(run(true, yes, server.baseUrl() + "/", quick()), Reaction::eOfferDownload);
    EXPECT_EQ(yes.opened, std::vector<std::string>{server.baseUrl() + "/download/update.html"});
}

TEST_F(UpdateCheckTest, NoAnswerFailsWithinTheTimeout)
{
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort());
    setAnswer(HttpReply::hang());
    for (const std::string& base : {unreachable, server.baseUrl()}) {
        SCOPED_TRACE(base);
        const auto start = std::chrono::steady_clock::now();
        RecordingPrompts loud(true), silent(true);
        EXPECT_EQ(run(false, loud, base, quick()), Reaction::eReportFailure);
        EXPECT_EQ(run(true, silent, base, quick()), Reaction::eNothing);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
        EXPECT_EQ(loud.shown, std::vector<std::string>{"failure"});
        EXPECT_TRUE(silent.shown.empty());
    }
}

TEST_F(UpdateCheckTest, AddressComesFromTheServiceSettings)
{
    EXPECT_EQ(address(), kDefaultAddress);
    QxServiceAddress::set("update", server.baseUrl());
    EXPECT_EQ(address(), server.baseUrl());
    setAnswer(HttpReply::text("1411091401"));
    EXPECT_EQ(query(address(), quick()).outcome, Outcome::eUpToDate);
    QxServiceAddress::set("update", "");
    EXPECT_EQ(address(), kDefaultAddress);
    // The default check never waits long on the GUI thread.
    EXPECT_LE(requestOptions().totalTimeoutMs, 20000);
    EXPECT_EQ(buildIdUrl("http://h/"), "http://h/buildId");
}
