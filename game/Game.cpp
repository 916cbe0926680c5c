#include "game/Game.h"

#include <GL/freeglut.h>

#include <iostream>

Game::Game(SharedState* sharedState) {
    shared = sharedState;
}

Game::~Game() = default;

bool Game::newGame(std::string) {
    return false;
}

void Game::update(int) {
    glutPostRedisplay();
}

void Game::assumeControl(StateLoopIFC** active) {
    std::cout << "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    *active = this;
}
