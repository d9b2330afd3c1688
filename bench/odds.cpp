// Is the draw fair? Runs many contests through the program's own Contest and random source
// (from a fixed seed) and counts each candidate's wins. Writes every candidate's chance of
// winning as CSV and as a bar chart, and prints the figures the README quotes.
//   odds CSV PNG [CONTESTS [SEED]]

#include "clockrandom.h"
#include "contest.h"
#include "contestparts.h"
#include "fakecheckbox.h"
#include "fakelistbox.h"
#include "listbox.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr auto Candidates = static_cast<std::size_t>(ContestRules::Candidates);

// The pool as a list box whose draws take O(log n): a Fenwick tree counts the entries still
// standing, so the k-th one is found without moving the others up.
class FastPool final : public ListBox
{
public:
    void clear() override
    {
        m_texts.clear();
        m_tree.clear();
        m_count = 0;
    }
    void append(const std::string &text) override { appendAll({text}); }
    void appendAll(const std::vector<std::string> &texts) override
    {
        m_texts.insert(m_texts.end(), texts.begin(), texts.end());
        // Every entry stands: each tree node counts the entries of its span.
        m_tree.assign(m_texts.size() + 1, 0);
        for (std::size_t i = 1; i < m_tree.size(); ++i) {
            m_tree[i] += 1;
            if (const std::size_t parent = i + (i & (~i + 1)); parent < m_tree.size()) {
                m_tree[parent] += m_tree[i];
            }
        }
        m_count = static_cast<std::int16_t>(m_texts.size());
    }
    [[nodiscard]] std::string textAt(std::int16_t position) const override { return m_texts[entry(position) - 1]; }
    void removeAt(std::int16_t position) override
    {
        for (std::size_t i = entry(position); i < m_tree.size(); i += i & (~i + 1)) {
            --m_tree[i];
        }
        --m_count;
    }
    [[nodiscard]] std::int16_t count() const override { return m_count; }

private:
    // The 1-based index of the entry standing at position.
    [[nodiscard]] std::size_t entry(std::int16_t position) const
    {
        std::size_t index = 0;
        int rest = position + 1;
        for (std::size_t step = std::bit_floor(m_tree.size() - 1); step > 0; step >>= 1U) {
            if (index + step < m_tree.size() && m_tree[index + step] < rest) {
                index += step;
                rest -= m_tree[index];
            }
        }
        return index + 1;
    }

    std::vector<std::string> m_texts;
    std::vector<int> m_tree;
    std::int16_t m_count = 0;
};

// A trial's list: nothing reads it here, so it only counts.
class CountingList final : public ListBox
{
public:
    void clear() override { m_count = 0; }
    void append(const std::string &) override { ++m_count; }
    [[nodiscard]] std::string textAt(std::int16_t) const override { return {}; }
    void removeAt(std::int16_t) override { --m_count; }
    [[nodiscard]] std::int16_t count() const override { return m_count; }

private:
    std::int16_t m_count = 0;
};

QImage chart(const std::vector<double> &chance, long contests, unsigned long long seed)
{
    constexpr int Left = 80, Top = 50, PlotWidth = 1000, PlotHeight = 400, Right = 30, Bottom = 70;
    QImage image(Left + PlotWidth + Right, Top + PlotHeight + Bottom, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font(QStringLiteral("Liberation Sans"), 11);
    painter.setFont(font);

    const double top = std::ceil(*std::max_element(chance.begin(), chance.end()) * 10.0) / 10.0; // percent
    const auto y = [&](double percent) { return Top + PlotHeight - static_cast<int>(percent / top * PlotHeight); };
    painter.setPen(QColor(70, 110, 190));
    for (std::size_t i = 0; i < chance.size(); ++i) {
        const int x = Left + static_cast<int>(i);
        painter.drawLine(x, Top + PlotHeight - 1, x, std::min(y(chance[i]), Top + PlotHeight - 1));
    }

    painter.setPen(Qt::black);
    painter.drawLine(Left, Top, Left, Top + PlotHeight);
    painter.drawLine(Left, Top + PlotHeight, Left + PlotWidth, Top + PlotHeight);
    for (double tick = 0; tick <= top + 1e-9; tick += top / 5) {
        painter.drawLine(Left - 5, y(tick), Left, y(tick));
        painter.drawText(QRect(0, y(tick) - 10, Left - 10, 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(tick, 'f', 2) + QLatin1Char('%'));
    }
    for (int n = 0; n <= 1000; n += 100) {
        const int x = Left + std::max(n, 1) - 1;
        painter.drawLine(x, Top + PlotHeight, x, Top + PlotHeight + 5);
        painter.drawText(QRect(x - 30, Top + PlotHeight + 8, 60, 20), Qt::AlignHCenter, QString::number(std::max(n, 1)));
    }
    painter.drawText(QRect(Left, Top + PlotHeight + 35, PlotWidth, 20), Qt::AlignHCenter, QStringLiteral("candidate's number"));
    painter.save();
    painter.translate(18, Top + PlotHeight / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-150, -10, 300, 20), Qt::AlignHCenter, QStringLiteral("chance of winning"));
    painter.restore();

    QPen fair(QColor(200, 40, 40));
    fair.setStyle(Qt::DashLine);
    painter.setPen(fair);
    painter.drawLine(Left, y(0.1), Left + PlotWidth, y(0.1));
    painter.drawText(QRect(Left + 8, y(0.1) - 22, 300, 20), Qt::AlignLeft, QStringLiteral("a fair draw: 0.1% each"));

    font.setPointSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 10, image.width(), 30), Qt::AlignHCenter,
                     QStringLiteral("Chance of winning by candidate, %1 contests (seed %2)")
                         .arg(QLocale(QLocale::English).toString(qlonglong(contests)))
                         .arg(seed));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: odds CSV PNG [CONTESTS [SEED]]\n");
        return 2;
    }
    const long contests = argc > 3 ? std::stol(argv[3]) : 1'000'000;
    const unsigned long long seed = argc > 4 ? std::stoull(argv[4]) : 20261208ULL;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::array<CountingList, 3> trials;
    FastPool pool;
    std::array<FakeCheckBox, 3> boxes;
    std::int16_t currentTrial = 0;
    ClockRandom random;
    random.seedWith(seed);
    Contest contest({{&trials[0], &trials[1], &trials[2], &pool}, {&boxes[0], &boxes[1], &boxes[2]}}, currentTrial, random);

    // The same contests on plain lists, for the first thousand: the fast pool must agree.
    ContestParts<FakeListBox, FakeCheckBox> plain;
    ClockRandom plainRandom;
    plainRandom.seedWith(seed);
    Contest check(plain.stage(), currentTrial, plainRandom);

    std::vector<long> wins(Candidates + 1, 0);
    for (long i = 0; i < contests; ++i) {
        contest.ResetPool();
        if (i < 1000) {
            check.ResetPool();
        }
        for (std::int16_t trial = 0; trial < ContestRules::TrialCount; ++trial) {
            currentTrial = trial;
            contest.RunTrial();
            if (i < 1000) {
                check.RunTrial();
            }
        }
        if (i < 1000 && plain.lists[3].textAt(0) != pool.textAt(0)) {
            std::fprintf(stderr, "odds: contest %ld: the fast pool gives %s, plain lists %s\n", i, pool.textAt(0).c_str(),
                         plain.lists[3].textAt(0).c_str());
            return 1;
        }
        ++wins[std::stoul(pool.textAt(0))];
    }

    std::vector<double> chance(Candidates);
    std::ofstream csv(argv[1]);
    csv << "candidate,wins,chance_percent\n";
    for (std::size_t n = 1; n <= Candidates; ++n) {
        chance[n - 1] = 100.0 * static_cast<double>(wins[n]) / static_cast<double>(contests);
        csv << n << ',' << wins[n] << ',' << chance[n - 1] << '\n';
    }
    if (!csv || !chart(chance, contests, seed).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "odds: cannot write %s or %s\n", argv[1], argv[2]);
        return 1;
    }

    const auto high = std::max_element(chance.begin(), chance.end());
    const auto low = std::min_element(chance.begin(), chance.end());
    const auto share = [&](std::size_t from, std::size_t to) {
        long sum = 0;
        for (std::size_t n = from; n <= to; ++n) {
            sum += wins[n];
        }
        return 100.0 * static_cast<double>(sum) / static_cast<double>(contests);
    };
    std::printf("%ld contests from seed %llu; a fair draw gives each candidate 0.100%%\n", contests, seed);
    std::printf("highest chance: %.3f%% (candidate %td)\n", *high, high - chance.begin() + 1);
    std::printf("lowest chance: %.4f%% (candidate %td)\n", *low, low - chance.begin() + 1);
    std::printf("wins by candidates 1-100: %.2f%%; by 901-1000: %.2f%% (fair: 10%% each)\n", share(1, 100), share(901, 1000));
    std::printf("candidates that never won: %td\n", std::count(wins.begin() + 1, wins.end(), 0L));
    return 0;
}
