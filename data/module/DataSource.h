#pragma once

namespace zeb {

class Dataset;

// What bound controls attach to; the dataset behind it can be exchanged at run time.
class DataSource
{
public:
    explicit DataSource(Dataset* dataset) : m_dataset(dataset) {}

    Dataset* dataSet() const { return m_dataset; }
    void setDataSet(Dataset* dataset) { m_dataset = dataset; }

private:
    Dataset* m_dataset;
};

} // namespace zeb
