// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scan sinks that gather the catalogue into a CatalogueStore without a
// window: for bkf-recover, the tests and the benchmarks.

#include "catalogue_store.h"
#include "scan_sinks.h"

class CatalogueCollector : public CatalogueSink, public FolderPathSink, public ScanProgress, public FolderDateSink {
public:
    explicit CatalogueCollector(CatalogueStore& store) : m_store(store) {}

    void AddRow(const CatalogueRow& row) override { m_store.Append(row); }
    void AddPath(std::string_view) override {}
    void FileCountChanged(std::uint64_t) override {}
    void WindowScanned(std::uint64_t, std::uint64_t) override {}
    void FolderDated(std::string_view folderPath, std::uint64_t modified) override
    {
        m_store.AddFolderDate(folderPath, modified);
    }

    ScanSinks Sinks(DiagnosticTrace* trace = nullptr) { return ScanSinks{*this, *this, *this, trace, this}; }

private:
    CatalogueStore& m_store;
};
