#pragma once
// A scan page made of plain data: what the driver and the intake show is kept in fields.
// The console front end scans with it, and tests read it.
#include <string>
#include <vector>

#include "engine/scan_page.h"

class DataScanPage : public ScanPage {
public:
    struct Row {
        ScanSection* section;
        std::string columns[3];
        int image;
    };
    struct ResultRow {
        ScanSection* section;
        std::string markup;
        bool checked;
    };

    void ClearScanList() override { rows.clear(); }
    int AddScanRow(ScanSection& section) override {
        rows.push_back({&section, {section.name, "0", "Ready"}, kStatusImageReady});
        return static_cast<int>(rows.size()) - 1;
    }
    int ScanRowCount() const override { return static_cast<int>(rows.size()); }
    ScanSection* ScanRowSection(int row) const override { return rows.at(row).section; }
    void SetScanRowText(int row, int column, const std::string& text) override { rows.at(row).columns[column] = text; }
    void SetStatusImage(int row, int image) override { rows.at(row).image = image; }
    void EnsureScanRowVisible(int) override {}
    void ShowTotalProblems(const std::string& text) override { totalLabel = text; }
    void ShowAffectedSections(const std::string& text) override { affectedLabel = text; }
    void ShowStatus(const std::string& text) override { statusLine = text; }
    std::string StartButtonCaption() const override { return caption; }
    void SetStartButtonCaption(const std::string& text) override { caption = text; }
    void ShowAnimation(bool visible) override { animationVisible = visible; }
    void ShowScanPage() override { scanPageVisible = true; }
    void HideAllPages() override { scanPageVisible = resultsVisible = false; }
    void ShowEndMessage(const std::string& text) override { endMessages.push_back(text); }
    void ClearResults() override { results.clear(); }
    void AddResultRow(ScanSection& section, const std::string& markup, bool checked) override {
        results.push_back({&section, markup, checked});
    }
    void ShowResultsTotal(const std::string& text) override { resultsTotal = text; }
    void ShowResultsPage(bool visible) override { resultsVisible = visible; }

    const Row* RowOf(SectionId id) const {
        for (const Row& row : rows) {
            if (row.section->id == id) return &row;
        }
        return nullptr;
    }

    std::vector<Row> rows;
    std::vector<ResultRow> results;
    std::vector<std::string> endMessages;
    std::string totalLabel, affectedLabel, statusLine, caption, resultsTotal;
    bool animationVisible = false, scanPageVisible = false, resultsVisible = false;
};
