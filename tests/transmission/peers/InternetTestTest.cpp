#include "transmission/InternetTest.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "support/HttpPeer.h"

using namespace telvainn;

namespace {

class InternetTestTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { peer = new HttpPeer(); }
    static void TearDownTestSuite() {
        delete peer;
        peer = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(peer->ready()) << peer->error().toStdString(); }

    static QStringList pathsSince(std::size_t before) {
        QStringList paths;
        const std::vector<HttpPeer::Request> requests = peer->requests();
        for (std::size_t i = before; i < requests.size(); ++i) {
            paths.append(requests[i].path);
        }
        return paths;
    }

    static inline HttpPeer* peer = nullptr;
};

}  // namespace

TEST_F(InternetTestTest, APageWithContentIsConnectedAndTheRequestCarriesTheHeaders) {
    const std::size_t before = peer->requests().size();
    EXPECT_TRUE(InternetConnected(peer->address("/side")));
    const std::vector<HttpPeer::Request> requests = peer->requests();
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back().path, QStringLiteral("/side"));
    EXPECT_EQ(requests.back().accept, QStringLiteral("text/html, */*"));
    EXPECT_EQ(requests.back().userAgent, QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
}

TEST_F(InternetTestTest, TheSchemeInAnyLetterCaseIsDroppedUpToItsFirstOccurrence) {
    const std::size_t before = peer->requests().size();
    EXPECT_TRUE(InternetConnected(QStringLiteral("HTTP://") + peer->address("/side")));
    EXPECT_TRUE(InternetConnected(QStringLiteral("  se Http://") + peer->address("/side")));
    EXPECT_EQ(pathsSince(before), (QStringList{QStringLiteral("/side"), QStringLiteral("/side")}));
}

TEST_F(InternetTestTest, EmptyPagesErrorStatusesAndMissingServersAreNotConnected) {
    EXPECT_FALSE(InternetConnected(peer->address("/tom")));
    EXPECT_FALSE(InternetConnected(peer->address("/mangler")));
    const LocalSocket down(false);
    EXPECT_FALSE(InternetConnected(QStringLiteral("127.0.0.1:%1/side").arg(down.port())));
    const std::size_t before = peer->requests().size();
    EXPECT_FALSE(InternetConnected(QString()));
    EXPECT_FALSE(InternetConnected(QStringLiteral("   ")));
    EXPECT_EQ(peer->requests().size(), before);
}

TEST_F(InternetTestTest, FiveRedirectsAreFollowedButNotSix) {
    const std::size_t before = peer->requests().size();
    EXPECT_TRUE(InternetConnected(peer->address("/videre/5")));
    EXPECT_EQ(pathsSince(before).size(), 6);
    EXPECT_FALSE(InternetConnected(peer->address("/videre/6")));
}

TEST_F(InternetTestTest, AServerThatDoesNotAnswerInTimeIsNotConnected) {
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(InternetConnected(peer->address("/treg"), std::chrono::milliseconds(500)));
    EXPECT_LT(elapsed.elapsed(), 2500);

    const LocalSocket silent(true);
    elapsed.restart();
    EXPECT_FALSE(InternetConnected(QStringLiteral("127.0.0.1:%1/side").arg(silent.port()),
                                   std::chrono::milliseconds(500)));
    EXPECT_LT(elapsed.elapsed(), 2500);
}
