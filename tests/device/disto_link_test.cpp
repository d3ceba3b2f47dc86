#include "device/disto_link.h"
#include "device/disto_probe.h"
#include "device/disto_protocol.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <atomic>

#include "device/simulated_meter.h"
#include "document/files/qstring_printer.h"

namespace plantrek {
namespace {

using namespace test::meter;
using disto::ClassifyWord;
using disto::Word;
using disto::WordKind;
using test::ScopedSerialPorts;
using test::SimulatedMeter;
using test::WaitUntil;

const QByteArray kAck("cfm\r\n");

// What the link reported, in order: "M <unit> <digits> <key>", "enter", "undo", "lost".
class Events {
public:
    explicit Events(DistoLink& link) {
        QObject::connect(
            &link, &DistoLink::measurement, [this](int unit, const QString& digits, int key) {
                list.append(QStringLiteral("M %1 %2 %3").arg(unit).arg(digits).arg(key));
            });
        QObject::connect(&link, &DistoLink::enterPressed, [this] { list.append("enter"); });
        QObject::connect(&link, &DistoLink::undoPressed, [this] { list.append("undo"); });
        QObject::connect(&link, &DistoLink::connectionLost, [this] { list.append("lost"); });
    }
    // The events so far, once everything posted has been delivered.
    QStringList take() {
        QCoreApplication::processEvents();
        QStringList taken = list;
        list.clear();
        return taken;
    }
    QStringList list;
};

// Parsing, fed straight in as the port would deliver it.
class DistoLinkParseTest : public ::testing::Test {
protected:
    void useMeter(int typeNumber) { link.setDevice(1, typeNumber); }
    void feed(const QByteArray& bytes) {
        link.dataReceived(bytes.constData(), static_cast<int>(bytes.size()));
    }

    DistoLink link;
    Events events{link};
};

TEST_F(DistoLinkParseTest, LoneDistanceIsEnterForClassOne) {
    useMeter(760000);
    ASSERT_EQ(link.modelClass(), 1);
    feed(Line({Distance("00001234")}));
    feed(Line({Key(6)}));
    EXPECT_EQ(events.take(), QStringList{"enter"});
    // Also when the line ends without the space.
    feed(Distance("00001234") + "\r\n" + Key(6) + "\r\n");
    EXPECT_EQ(events.take(), QStringList{"enter"});
}

// Which words are malformed is the classifier's table; here, that such a word, like any other
// word, leaves nothing pending for the key after it, and that blank or NUL lines yield nothing.
TEST_F(DistoLinkParseTest, AnyOtherWordForgetsThePendingDistance) {
    useMeter(500000);
    feed(Line({Key(6)}));  // no distance before it
    feed(Line({Distance("00001234")}) + Line({QByteArray("garbage")}) + Line({Key(6)}));
    feed(Line({Distance("00001234"), QByteArray("5000..+00000006\0", 16)}) + Line({Key(6)}));
    feed(QByteArray("\r\n\r\n \r\n   \r\n\0\0\0\r\n", 17) + Line({Key(6)}));
    feed(Line({Distance("00001234")}) + Line({Key(11)}) + Line({Key(6)}));
    // The last distance before the key is the one measured, with its own unit.
    feed(Line({Distance("00001234"), Distance("00005555", '9')}) + Line({Key(3)}));
    EXPECT_EQ(events.take(), (QStringList{"enter", "M 9 00005555 3"}));
}

TEST_F(DistoLinkParseTest, OverlongLineIsDroppedAndTheNextOneRead) {
    useMeter(500000);
    const QByteArray tail = Line({Distance("00001234"), Key(6)});
    // A line of 99 bytes still fits; one of 100 does not.
    feed(QByteArray(99 - tail.size() - 1, 'x') + ' ' + tail);
    EXPECT_EQ(events.take(), QStringList{"M 0 00001234 6"});
    feed(QByteArray(100 - tail.size() - 1, 'x') + ' ' + tail);
    EXPECT_TRUE(events.take().isEmpty());

    // Endless noise without a line end must not wedge the link.
    for (char byte : QByteArray(1000, 'n')) {
        link.dataReceived(&byte, 1);
    }
    feed(Line({Distance("00000001")}));  // ends the noise's line: dropped with it
    feed(Line({Distance("00004321")}) + Line({Key(4)}));
    EXPECT_EQ(events.take(), QStringList{"M 0 00004321 4"});
}

// Through a pseudo-terminal with a simulated meter.
class DistoLinkMeterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(meter.isValid()); }
    // Connects the link to an old meter (class 2) on COM1.
    void ConnectOldMeter(DistoLink& link) {
        link.setDevice(1, 500000);
        ASSERT_TRUE(link.connect());
    }

    SimulatedMeter meter;
    const ScopedSerialPorts ports{meter.devicePath()};
};

TEST_F(DistoLinkMeterTest, SearchSkipsMissingPortsAndNewMetersGetTheirKeysSetUp) {
    meter.setTypeNumber(740000);
    const ScopedSerialPorts gap(QStringLiteral(":") + meter.devicePath());
    DistoLink link;  // the progress lines are the listen test's (AWalkAroundARoom...)
    ASSERT_EQ(link.search(1, 20), 2);
    EXPECT_EQ(link.comPort(), 2);
    EXPECT_EQ(link.typeNumber(), 740000);
    EXPECT_EQ(link.modelClass(), 0);

    ASSERT_TRUE(link.connect());
    EXPECT_TRUE(link.isConnected());
    ASSERT_TRUE(meter.waitForReceived("sk 13 28\r\n", 1));
    EXPECT_EQ(meter.received(), QByteArray("N00N\r\nsm 0\r\nsk 11 1\r\nsk 12 28\r\nsk 13 28\r\n"));
    EXPECT_EQ(link.search(1, 1), 2);

    // What the keys of this meter then mean is checked end to end by the listen tests.
}

TEST_F(DistoLinkMeterTest, OldMeterAcknowledgesEachHandledWordOnce) {
    DistoLink link;
    Events events(link);
    int activity = 0;
    QObject::connect(&link, &DistoLink::activity, [&activity] { ++activity; });
    ConnectOldMeter(link);

    meter.send(Line({Distance("00001234")}));  // waits for its key: no acknowledgement
    meter.sendByteByByte(Line({Key(6)}));
    ASSERT_TRUE(meter.waitForReceived(kAck, 1));
    meter.send(Line({Key(2)}));  // no distance before it: acknowledged only
    ASSERT_TRUE(meter.waitForReceived(kAck, 2));
    meter.send(Line({Key(12)}));  // undo on this meter
    ASSERT_TRUE(meter.waitForReceived(kAck, 3));
    // Two handled words in one line: two acknowledgements, although the port takes one write
    // at a time.
    meter.send(Line({Key(11), Key(4)}));
    ASSERT_TRUE(meter.waitForReceived(kAck, 5));
    meter.send(Line({QByteArray("13....+00500000")}));  // not handled: no acknowledgement
    meter.send(Line({Key(11)}));
    ASSERT_TRUE(meter.waitForReceived(kAck, 6));

    ASSERT_TRUE(WaitUntil([&] { return events.list.size() >= 4; }));
    EXPECT_EQ(events.take(), (QStringList{"M 0 00001234 6", "undo", "enter", "enter"}));
    EXPECT_EQ(meter.received(), kAck.repeated(6));
    EXPECT_GE(activity, 1);
}

TEST_F(DistoLinkMeterTest, MeterThatVanishesEndsTheConnection) {
    auto link = std::make_unique<DistoLink>();
    Events events(*link);
    ConnectOldMeter(*link);
    meter.send(Distance("0000"));  // a half-sent word
    meter.vanish();

    ASSERT_TRUE(WaitUntil([&] { return !events.list.isEmpty(); }));
    EXPECT_EQ(events.take(), QStringList{"lost"});
    EXPECT_FALSE(link->isConnected());
    EXPECT_TRUE(link->hasPort());
    QElapsedTimer timer;
    timer.start();
    link.reset();
    EXPECT_LT(timer.elapsed(), 200);
}

TEST(DistoLinkSearch, RangesThatCannotHoldAPortReturnAtOnce) {
    DistoLink link;
    int calls = 0;
    for (const auto& [first, last] : {std::pair{5, 3}, {0, 3}, {2, -1}}) {
        EXPECT_EQ(link.search(first, last, [&calls](const QString&) { ++calls; }), -1);
    }
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(link.comPort(), -1);
    EXPECT_FALSE(link.connect());
}

TEST(DistoLinkSearch, CancelIsHonouredBetweenPorts) {
    SimulatedMeter meter;
    ASSERT_TRUE(meter.isValid());
    meter.setTypeNumber(740000);
    const ScopedSerialPorts ports(QStringLiteral(":") + meter.devicePath());
    DistoLink link;
    std::atomic<bool> cancel{false};
    QStringList progress;
    const int found = link.search(
        1, 20,
        [&](const QString& text) {
            progress.append(text);
            if (text.endsWith(QLatin1String("COM1."))) {
                cancel.store(true);
            }
        },
        &cancel);
    EXPECT_EQ(found, -1);
    EXPECT_EQ(progress.size(), 2);
    EXPECT_TRUE(meter.received().isEmpty());

    cancel.store(false);
    EXPECT_EQ(link.search(3, 20, {}, &cancel), -1);  // nothing behind COM3 and beyond
}

// Identifying the meter on a port: what the probe made of the replies to its request (the
// meter found, a reply begun, or nothing), and of replies fed in the pieces given.
QString State(const DistoProbe& probe) {
    return probe.found() ? QString("%1 class %2").arg(probe.typeNumber()).arg(probe.modelClass())
           : probe.partial() ? "partial"
                             : QString("none, class %1").arg(probe.modelClass());
}
QString Identified(const QList<QByteArray>& pieces) {
    DistoProbe probe(1);
    for (const QByteArray& piece : pieces) {
        probe.takeReply(piece.constData(), static_cast<int>(piece.size()));
    }
    return State(probe);
}

TEST(DistoProbeReply, OnlyAWholeReplyAtTheStartCounts) {
    EXPECT_EQ(Identified({"1"}), "partial");
    // The type number is not read from a reply that is cut short inside its digits.
    EXPECT_EQ(Identified({"1", "3....+007"}), "partial");
    EXPECT_EQ(Identified({"1", "3....+007", "60000 \r\n"}), "760000 class 1");
    EXPECT_EQ(Identified({"31..00+00001234 \r\n", "13....+00740000 \r\n"}), "none, class 2");
    EXPECT_EQ(Identified({"13....+0074x000 \r\n"}), "none, class 2");
    // It keeps no more than its buffer.
    EXPECT_EQ(Identified(QList<QByteArray>(40, QByteArray(5000, '1')) << "13....+00740000 \r\n"),
              "none, class 2");
}

// The meter's identification on the wire is checked by the link's search test.
TEST(DistoProbeRun, SilentPortIsAskedOnce) {
    SimulatedMeter meter;
    ASSERT_TRUE(meter.isValid());
    const ScopedSerialPorts ports(meter.devicePath());
    DistoProbe probe(1);
    EXPECT_FALSE(probe.run());
    EXPECT_EQ(meter.received(), QByteArray("N00N\r\n"));
    EXPECT_EQ(State(probe), "none, class 2");
    EXPECT_EQ(probe.typeNumber(), 0);
}

// The meter's words and model classes: what a word (of a meter with the type number) means.
QString Meaning(const QByteArray& bytes, int typeNumber = 0) {
    const Word w = ClassifyWord(bytes.constData(), static_cast<int>(bytes.size()), typeNumber);
    return w.kind == WordKind::Distance ? QString("distance %1 %2").arg(w.unitCode).arg(w.digits)
           : w.kind == WordKind::DirectionKey ? QString("key %1").arg(w.keyCode)
           : w.kind == WordKind::Enter        ? "enter"
           : w.kind == WordKind::Undo         ? "undo"
                                              : "other";
}

TEST(ClassifyWord, Classifies) {
    // Keys: enter and undo move with the type number. Rows: key, type number, meaning.
    for (const char* row :
         {"11 739999 enter", "12 739999 undo", "13 739999 other", "11 740000 other",
          "12 740000 enter", "13 760000 undo", "15 740000 key 15", "2 0 key 2", "8 0 key 8",
          "6 0 key 6", "15 0 key 15", "1 0 key 1", "10 0 key 10", "3 0 key 3", "4 0 key 4",
          "5 0 other"}) {
        const QStringList field = QString(row).split(' ');
        EXPECT_EQ(Meaning(Key(field[0].toInt()), field[1].toInt()), field.mid(2).join(' ')) << row;
    }
    // Distances: the unit code is one character, a non-digit counting as 0.
    EXPECT_EQ(Meaning("31..05+12345678"), "distance 5 12345678");
    EXPECT_EQ(Meaning("31..0x+00001234"), "distance 0 00001234");
    // Anything that only looks like one carries no number; NUL bytes never match.
    for (const QByteArray& word :
         QByteArrayList{"31..00+0000123a", "31..00+00 01234", "31..00-00001234", "31..00+0000123",
                        "31..00+000012345", "5000..+0000000:", "5000..+00000006X", "",
                        QByteArray("31..00+0000") + '\0' + "234"}) {
        EXPECT_EQ(Meaning(word), "other") << word.constData();
    }
    EXPECT_EQ(ClassifyWord(nullptr, 15, 0).kind, WordKind::Other);
}

TEST(ModelClass, FromTheFirstFourDigits) {
    for (const auto& [typeNumber, modelClass] :
         {std::pair{740000, 0}, {749999, 0}, {760000, 1}, {750000, 2}, {0, 2}, {7400000, 2}}) {
        EXPECT_EQ(disto::ModelClassForTypeNumber(typeNumber), modelClass) << typeNumber;
    }
}

}  // namespace
}  // namespace plantrek
