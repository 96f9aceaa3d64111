#pragma once

class DataGrid;
class Dataset;

// The basket grid as the basket tab declares it, and a small basket to show in it.
void declareBasketGrid(DataGrid &grid);
void fillBasket(Dataset &basket);
